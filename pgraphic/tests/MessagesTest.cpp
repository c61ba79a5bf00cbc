// The message table's texts, numbering check and placeholder formatting.
#include "pgraphic/Messages.h"

#include <gtest/gtest.h>
#include <vector>

namespace pg {
namespace {

TEST(Messages, TableHoldsAllEntriesInNumberOrder) {
    const auto table = PGLangStrEntries();
    ASSERT_EQ(table.size(), 84u);
    EXPECT_NO_THROW(CheckMessageTableOrder(table));
    EXPECT_EQ(table[0].English, "X, Y index out of range");
    EXPECT_EQ(table[21].English, "Negative width");
    EXPECT_EQ(table[83].English, "");
}

TEST(Messages, FormatsPlaceholders) {
    struct Case {
        int number;
        const char *s1, *s2, *s3;
        std::string expected;
    };
    const Case cases[] = {
        {msg::Failed, "CreateDIBSection", "", "", "CreateDIBSection failed"},
        {msg::UnknownFileExtension, ".xyz", "", "", "Unknown file extension \".xyz\""},
        {msg::ColorResWillChange, "BMP", "256 colors", "16.7 million colors",
         "The graphic cannot be saved to a BMP file with the current color resolution (256 colors).\r\r"
         "The graphic will be saved with a different color resolution (16.7 million colors)."},
        {msg::NoPalette, "ignored", "", "", "No palette"},
        {msg::Invalid, "", "", "", " invalid"},
        // Replacement runs in order on the text built so far: a value may carry the next placeholder.
        {msg::Invalid, "%S2", "x", "", "x invalid"},
    };
    for (const auto& c : cases) EXPECT_EQ(PGMessage(c.number, c.s1, c.s2, c.s3), c.expected) << c.number;
}

TEST(Messages, ColourResolutionNamesFollowEachOther) {
    const char* names[] = {"black and white",  "2 colors",           "16 shades of gray",
                           "16 system colors", "16 colors",          "256 shades of gray",
                           "256 colors",       "16.7 million colors"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(PGMessage(msg::ColorResBlackWhite + i), names[i]);
}

TEST(Messages, OrderCheckNamesTheFirstMisnumberedEntry) {
    const std::vector<TPGLangStr> broken = {{1, "a"}, {3, "b"}, {2, "c"}};
    try {
        CheckMessageTableOrder(broken);
        FAIL() << "no exception";
    } catch (const EPixelGraphic& e) {
        EXPECT_STREQ(e.what(), "PGLangStrEntries order wrong 2 and 3 are not identical");
    }
}

TEST(Messages, RaiseThrowsTheRequestedClass) {
    EXPECT_THROW(PGRaise<EPGInvalidSize>(msg::NegativeHeight), EPGInvalidSize);
    try {
        PGRaise<EPGUnknownExtension>(msg::UnknownFileExtension, "foo");
    } catch (const EPixelGraphic& e) {
        EXPECT_STREQ(e.what(), "Unknown file extension \"foo\"");
    }
}

} // namespace
} // namespace pg
