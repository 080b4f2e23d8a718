#pragma once
// poppler keeps to itself what the helper needs to make a document's fonts once and to know
// what they weigh. memberOf(Tag{}) gives the member a Tag names: an explicit instantiation may
// name private members. The build accepts only the poppler versions these were checked with
// (tsypdf/CMakeLists.txt); should poppler rename one, this stops building.
template<typename Tag, typename Tag::Type Member>
struct Reach {
    friend typename Tag::Type memberOf(Tag) { return Member; }
};

#define ORDVANE_REACH(TagName, MemberType, Class, member) \
    struct TagName { \
        using Type = MemberType Class::*; \
        friend Type memberOf(TagName); \
    }; \
    template struct Reach<TagName, &Class::member>
