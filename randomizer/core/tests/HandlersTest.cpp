// The window's handlers: what they show, hide, enable and recompose.
#include "FormFixture.h"

namespace zephrix::test {
namespace {

const std::string kMessages =
    "[Header]\nFormat=Q&A\n[Data]\nQ: Question one\nA: Answer one\nQ: Question two\nA: Answer two\n";

TEST_F(FormTest, OneLogoBoxesExcludeEachOtherAndHideWhatDoesNotApply) {
    TfmZephrix& form = CreatedForm();
    form.cbOnlyFirst.SetChecked(true);
    EXPECT_FALSE(form.rgFirst.Visible());
    EXPECT_FALSE(form.rgLast.Visible());
    EXPECT_FALSE(form.bcLastSingleColor.Visible()); // the second background is not used
    EXPECT_TRUE(form.bcFirstSingleColor.Visible());
    form.Pages.SelectPage("Last");
    EXPECT_FALSE(form.cbOnlyLast.Enabled());
    EXPECT_TRUE(form.cbOnlyFirst.Enabled());
    EXPECT_FALSE(form.rgLastBackground.Visible());
    EXPECT_TRUE(form.rgFirstBackground.Visible());
    // The second preview shows the first background with both texts: the same picture as the first.
    form.btUse.Click();
    ASSERT_NE(form.ImLast.Picture(), nullptr);
    const auto* a = form.ImFirst.Picture();
    const auto* b = form.ImLast.Picture();
    EXPECT_TRUE(std::equal(a->Bits(), a->Bits() + a->ImageSize(), b->Bits()));
}

TEST_F(FormTest, BackgroundKindShowsItsOwnControls) {
    TfmZephrix& form = CreatedForm();
    struct Case {
        int kind;
        bool single, gradient, select;
    };
    const Case cases[] = {
        {0, true, false, false}, {1, false, true, false}, {2, false, false, true}, {-1, false, false, false}};
    for (const auto& c : cases) {
        form.rgLastBackground.SetItemIndex(c.kind);
        form.rgLastBackgroundClick(); // also when the index did not change
        EXPECT_EQ(form.bcLastSingleColor.Visible(), c.single) << c.kind;
        EXPECT_EQ(form.bcLastColor1.Visible(), c.gradient) << c.kind;
        EXPECT_EQ(form.bcLastColor2.Visible(), c.gradient) << c.kind;
        EXPECT_EQ(form.btLastSelect.Visible(), c.select) << c.kind;
    }
}

TEST_F(FormTest, OnlyTheShadowEffectShowsTheShadowColour) {
    TfmZephrix& form = CreatedForm();
    for (int effect : {0, 1, 2}) {
        form.rgFirstEffect.SetItemIndex(effect);
        EXPECT_EQ(form.bcFirstShadowColor.Visible(), effect == 1) << effect;
    }
}

TEST_F(FormTest, ClickingAFilePicksButOnlyUseRecomposes) {
    Write(Prog("messages.txt"), kMessages);
    TfmZephrix& form = CreatedForm();
    pg::TPixelGraphic before;
    before.Assign(form.ImFirst.Picture());
    ASSERT_EQ(form.Files.Items(), std::vector<std::string>{"messages.txt"});
    Random->Values = {1};
    form.Files.ClickItem(0);
    EXPECT_EQ(form.TextFile, Prog("messages.txt"));
    EXPECT_EQ(form.Edit1.Text(), "Question two");
    EXPECT_EQ(form.Memo1.Text(), "Answer two");
    EXPECT_TRUE(
        std::equal(before.Bits(), before.Bits() + before.ImageSize(), form.ImFirst.Picture()->Bits()));
    form.btUse.Click();
    EXPECT_FALSE(
        std::equal(before.Bits(), before.Bits() + before.ImageSize(), form.ImFirst.Picture()->Bits()));
}

TEST_F(FormTest, RightClickReleaseDropsTheFileButKeepsTheFields) {
    Write(Prog("messages.txt"), kMessages);
    TfmZephrix& form = CreatedForm();
    form.Files.ClickItem(0);
    form.Files.MouseUp(TMouseButton::mbLeft);
    EXPECT_EQ(form.Files.ItemIndex(), 0);
    form.Files.MouseUp(TMouseButton::mbRight);
    EXPECT_EQ(form.Files.ItemIndex(), -1);
    EXPECT_EQ(form.TextFile, "");
    EXPECT_EQ(form.FirstText, form.edFirst.Text());
    EXPECT_EQ(form.Edit1.Text(), "Question one");
    const int reseeds = Random->Reseeds;
    form.btRand.Click(); // nothing selected: nothing happens
    EXPECT_EQ(Random->Reseeds, reseeds);
}

TEST_F(FormTest, EditingADefaultPicksOnlyWhileADefaultIsShown) {
    Write(Prog("messages.txt"), kMessages);
    Write(Prog("zephrix.INI"), "[General]\nTextFile=" + Prog("messages.txt") + "\n");
    TfmZephrix& form = CreatedForm();
    EXPECT_EQ(form.FirstText, "Question one");
    const int reseeds = Random->Reseeds;
    form.edFirst.SetText("changed");
    EXPECT_EQ(Random->Reseeds, reseeds) << "both logos show file texts: nothing happens";
    form.TextFile.clear();
    form.PickMessage();
    form.edLast.SetText("new default");
    EXPECT_EQ(form.LastText, "new default");
    EXPECT_EQ(form.FirstText, "changed");
}

TEST_F(FormTest, CancellingThePictureDialogStillRepaints) {
    Write(Prog("zephrix.INI"), "[First Logo]\nBackground=2\nBitmap=" + Prog("old.bmp") + "\n");
    TfmZephrix& form = CreatedForm();
    form.FirstBack->SetPixel(0, 0, pg::RGB(1, 2, 3));
    form.btFirstSelect.Click();
    EXPECT_EQ(PictureDialogInitial, Prog("old.bmp"));
    EXPECT_EQ(form.FirstBack->GetPixel(0, 0), 0u); // repainted: the missing picture leaves black
    PictureDialogAnswer = Prog("new.bmp");
    form.btFirstSelect.Click();
    EXPECT_EQ(form.FirstBitmap, Prog("new.bmp"));
}

TEST_F(FormTest, SaveLogosRestoresItsButtonAlsoAfterAnError) {
    TfmZephrix& form = CreatedForm();
    fs::remove_all(Root / "win");
    form.Dispatch([&] { form.btSaveLogos.Click(); });
    EXPECT_EQ(form.btSaveLogos.Caption, "Save Logos");
    EXPECT_TRUE(form.btSaveLogos.Enabled());
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Caption, "Logo Randomizer");
}

} // namespace
} // namespace zephrix::test
