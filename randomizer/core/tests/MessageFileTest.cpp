// Message files: the three formats, their worked examples, the matching rules and damaged files.
#include "FormFixture.h"

namespace zephrix::test {
namespace {

using TTexts = std::pair<std::string, std::string>;

const std::string kQA = "[Header]\r\nFormat=Q&A\r\nDescription=Did you know?\r\n\r\n[Data]\r\n"
                        "Q: Why is the sky blue?\r\nA: Because of the way air scatters light.\r\n"
                        "Q: What comes after Tuesday?\r\nA: Wednesday,\r\nA: at least in most weeks.\r\n"
                        "Q: Is there an answer to this one?\r\n";

class MessageTest : public FormTest {
protected:
    // Picks from `text` with the scripted draws; returns (FirstText, LastText).
    TTexts Pick(const std::string& text, std::deque<std::uint32_t> draws) {
        Write(Prog("messages.txt"), text);
        TfmZephrix& form = Form ? *Form : CreatedForm();
        Random->Values = std::move(draws);
        form.TextFile = Prog("messages.txt");
        form.PickMessage();
        return {form.FirstText, form.LastText};
    }
    const std::string Default1 = "You can put your own text and colors here";
    const std::string Default2 = "And here too. See the help file to find out how";
};

TEST_F(MessageTest, QuestionAndAnswerExample) {
    EXPECT_EQ(Pick(kQA, {1}), TTexts("What comes after Tuesday?", "Wednesday,\r\nat least in most weeks."));
    EXPECT_EQ(Pick(kQA, {2}), TTexts("Is there an answer to this one?", "Did you know?"));
    std::string noDescription = kQA;
    noDescription.erase(noDescription.find("Description"),
                        std::string("Description=Did you know?\r\n").size());
    EXPECT_EQ(Pick(noDescription, {2}), TTexts(Default1, "Is there an answer to this one?"));
    EXPECT_EQ(Form->Edit1.Text(), Default1);
    EXPECT_EQ(Form->Memo1.Text(), "Is there an answer to this one?");
}

TEST_F(MessageTest, SingleExampleSkipsBlankAndCommentLines) {
    const std::string single = "[Header]\nFormat=single\nDescription=Thought for today\n[Data]\n"
                               "; lines starting with a semicolon are skipped\nTime flies like an arrow.\n\n"
                               "Fruit flies like a banana.\n";
    // Data lines: 0 comment, 1 sentence, 2 blank, 3 sentence. Draws that hit a skipped line go on.
    EXPECT_EQ(Pick(single, {0, 2, 1}), TTexts("Thought for today", "Time flies like an arrow."));
    EXPECT_EQ(Random->Draws, 3);
    EXPECT_EQ(Pick(single, {3}).second, "Fruit flies like a banana.");
}

TEST_F(MessageTest, MultiLineExample) {
    const std::string ml =
        "[Header]\nFormat=ML\n[Data]\n<START>\nFirst line\nSecond line\nThird line\n<END>\n"
        "<start>\nOnly line\n<END>\n";
    EXPECT_EQ(Pick(ml, {0}), TTexts("First line", "Second line\r\nThird line"));
    EXPECT_EQ(Pick(ml, {1}), TTexts(Default1, "Only line"));
}

TEST_F(MessageTest, FormatMarkerAndPrefixRules) {
    struct Case {
        const char* name;
        std::string text;
        std::string first, last;
    };
    const Case cases[] = {
        {"format with blanks, lower case", "[Header]\nFormat=  q&a  \n[Data]\nQ: q\nA: a\n", "q", "a"},
        {"marker in any case", "[Header]\nFormat=Q&A\n[dAtA]\nQ: q\nA: a\n", "q", "a"},
        {"blank before the marker", "[Header]\nFormat=Q&A\n [Data]\nQ: q\nA: a\n", Default1, Default2},
        {"no blank after Q:", "[Header]\nFormat=Q&A\n[Data]\nQ:x\nQ: y\nA: a\n", "y", "a"},
        {"lower-case q", "[Header]\nFormat=Q&A\n[Data]\nq: x\nQ: y\nA: a\n", "y", "a"},
        {"blank line ends the answers", "[Header]\nFormat=Q&A\nDescription=D\n[Data]\nQ: q\n\nA: a\n", "q",
         "D"},
        {"unknown format", "[Header]\nFormat=Poem\n[Data]\nQ: q\nA: a\n", Default1, Default2},
        {"empty format", "[Header]\nFormat=\n[Data]\nQ: q\nA: a\n", Default1, Default2},
        {"NUL ends the text", std::string("[Header]\nFormat=Q&A\n[Data]\nQ: q\nA: a") + '\0' + "ha\n", "q",
         "a"},
        {"lone CR line ends", "[Header]\rFormat=SINGLE\r[Data]\rone\r", Default1, "one"},
        {"three lines, one CR LF", "[Header]\nFormat=ML\n[Data]\n<START>\n1\n2\n3\n<END>\n", "1", "2\r\n3"},
    };
    for (const auto& c : cases) {
        auto [first, last] = Pick(c.text, {0});
        EXPECT_EQ(first, c.first) << c.name;
        EXPECT_EQ(last, c.last) << c.name;
    }
}

TEST_F(MessageTest, FieldsShowTheDefaultsForAnEmptyFormatButKeepTheirTextForAMissingFile) {
    Pick(kQA, {0});
    EXPECT_EQ(Form->Edit1.Text(), "Why is the sky blue?");
    Pick("[Header]\nFormat=\n[Data]\n", {});
    EXPECT_EQ(Form->Edit1.Text(), Default1);
    Pick(kQA, {0});
    Form->TextFile = Prog("missing.txt");
    Form->PickMessage();
    EXPECT_EQ(Form->FirstText, Default1);
    EXPECT_EQ(Form->Edit1.Text(), "Why is the sky blue?");
}

TEST_F(MessageTest, FilesWithoutMessagesOfTheirFormatRaiseTheListError) {
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"[Header]\nFormat=Q&A\n[Data]\nno questions\n", "List index out of bounds (0)"},
        {"[Header]\nFormat=ML\n[Data]\nno starts\n", "List index out of bounds (0)"},
        {"[Header]\nFormat=SINGLE\n[Data]\n", "List index out of bounds (3)"},
        {"[Header]\nFormat=ML\n[Data]\n<START>\n", "List index out of bounds (4)"},
        {"[Header]\nFormat=ML\n[Data]\n<START>\nlast\n", "List index out of bounds (5)"},
    };
    for (const auto& c : cases) {
        Pick(kQA, {0});
        try {
            Pick(c.text, {0});
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const std::out_of_range& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.text;
        }
        EXPECT_EQ(Form->FirstText, Default1);
        EXPECT_EQ(Form->Edit1.Text(), "Why is the sky blue?") << "the fields keep what they showed";
    }
}

TEST_F(MessageTest, ASingleFileOfOnlyCommentsGivesTheDefaultsInsteadOfDrawingForEver) {
    EXPECT_EQ(Pick("[Header]\nFormat=SINGLE\n[Data]\n; one\n\n; two\n", {0, 1, 2}),
              TTexts(Default1, Default2));
}

TEST_F(MessageTest, EveryPickReseedsTheGenerator) {
    Pick(kQA, {0});
    const int before = Random->Reseeds;
    Form->PickMessage();
    EXPECT_EQ(Random->Reseeds, before + 1);
}

TEST_F(MessageTest, ReadMessageCanKeepThePrefixes) {
    Write(Prog("m.txt"), kQA);
    TfmZephrix& form = CreatedForm();
    form.HeaderDescription = "Did you know?";
    std::vector<std::string> lines;
    Random->Values = {2};
    form.ReadMessage(Prog("m.txt"), lines, false);
    EXPECT_EQ(lines, (std::vector<std::string>{"Q: Is there an answer to this one?", "A: Did you know?"}));
}

} // namespace
} // namespace zephrix::test
