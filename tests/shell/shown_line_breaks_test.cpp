#include "shell/shown_line_breaks.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

constexpr char kMark[] = " \xC2\xB6 ";

TEST(ShownLineBreaks, EveryBreakShowsAsAMarkAndAnUnchangedFieldGivesTheTextBackExactly)
{
    EXPECT_EQ(withShownBreaks("one\r\ntwo\nthree\rfour", kMark), "one \xC2\xB6 two \xC2\xB6 three \xC2\xB6 four");
    EXPECT_EQ(withShownBreaks("no breaks", kMark), "no breaks");

    // Shown and given back unchanged: every break as it was, "\n" too.
    const std::string notes = "line\nnext\r\nlast";
    EXPECT_EQ(withLineBreaks(withShownBreaks(notes, kMark), notes, kMark), notes);
    // Edited: each mark is a line break again.
    EXPECT_EQ(withLineBreaks("line \xC2\xB6 next \xC2\xB6 new", notes, kMark), "line\r\nnext\r\nnew");
    EXPECT_EQ(withLineBreaks("plain", "", kMark), "plain");
}

}  // namespace
}  // namespace tessaly
