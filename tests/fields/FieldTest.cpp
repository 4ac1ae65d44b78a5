// SPDX-License-Identifier: GPL-3.0-or-later
#include "fields/FieldSet.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

using namespace quillon;

namespace {

struct FieldCase {
    Field field;
    std::string_view name;
    FieldKind kind;
};

// In the order of the list: tokens, tags, reports and the reader's replies
// all go by these, so a table out of step would mislabel every value.
constexpr FieldCase kFields[] = {
    {Field::Artist, "artist", FieldKind::Text},
    {Field::AlbumArtist, "albumartist", FieldKind::Text},
    {Field::Title, "title", FieldKind::Text},
    {Field::Album, "album", FieldKind::Text},
    {Field::Track, "track", FieldKind::Number},
    {Field::Disc, "disc", FieldKind::Number},
    {Field::Year, "year", FieldKind::Number},
    {Field::Genre, "genre", FieldKind::Text},
    {Field::Taken, "taken", FieldKind::Date},
    {Field::Modified, "modified", FieldKind::Date},
    {Field::Camera, "camera", FieldKind::Text},
    {Field::Width, "width", FieldKind::Number},
    {Field::Height, "height", FieldKind::Number},
};

} // namespace

TEST(Field, EachFieldHasItsPlaceNameAndKind) {
    ASSERT_EQ(std::size(kFields), kFieldCount);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const FieldCase& c = kFields[i];
        EXPECT_EQ(kAllFields[i], c.field) << c.name;
        EXPECT_EQ(fieldIndex(c.field), i) << c.name;
        EXPECT_EQ(fieldName(c.field), c.name);
        EXPECT_EQ(fieldKind(c.field), c.kind) << c.name;
    }
}

// A name goes unquoted into names, messages and JSON, and a token finds
// its field by it: plain lower-case letters, each name once.
TEST(Field, NamesArePlainLettersAndDistinct) {
    std::set<std::string_view> seen;
    for (const Field f : kAllFields) {
        const std::string_view name = fieldName(f);
        EXPECT_FALSE(name.empty());
        for (const char c : name)
            EXPECT_TRUE(c >= 'a' && c <= 'z') << name;
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
}

TEST(FieldSet, AllHoldsEveryFieldAndNothingMore) {
    FieldSet built;
    for (const Field f : kAllFields) {
        EXPECT_FALSE(built.has(f));
        built.add(f);
    }
    EXPECT_EQ(FieldSet::all(), built);
    EXPECT_TRUE(FieldSet::all().without(built).empty());
    EXPECT_EQ(FieldSet::all().bits(), (1U << kFieldCount) - 1);
}

TEST(FieldSet, OperationsAtTheEdges) {
    const FieldSet none;
    const FieldSet first = Field::Artist;
    const FieldSet last = Field::Height;
    const FieldSet both = first | last;
    struct Case {
        const char* what;
        bool got;
        bool expected;
    };
    const Case cases[] = {
        {"every set holds the empty one", first.contains(none), true},
        {"the empty set holds no other", none.contains(first), false},
        {"the empty set meets none", both.intersects(none), false},
        {"a set holds itself", both.contains(both), true},
        {"a part is held", both.contains(last), true},
        {"the whole is not held by a part", last.contains(both), false},
        {"the first and last fields meet nothing of each other", first.intersects(last), false},
        {"and of two singles is empty", (first & last).empty(), true},
        {"without takes only what is named", both.without(first) == last, true},
        {"without what is absent changes nothing", first.without(last) == first, true},
        {"the last field is kept", both.has(Field::Height), true},
        {"a field between is not there", both.has(Field::Taken), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
}
