// Setting and cycling one candidate's action: missing sides refuse what needs them, a one-way profile never
// gets an action that writes the side it must not touch.
#include "PreviewFixture.h"

#include "review/PreviewActions.h"

namespace previewtest {
namespace {

constexpr cTouchedSides kBoth{true, true};
constexpr cTouchedSides kMirror{false, true};     // writes only the destination
constexpr cTouchedSides kBackMirror{true, false}; // writes only the source
constexpr cTouchedSides kNeither{false, false};

const char* SidesName(eSides sides) {
    return sides == eSides::Both ? "pair" : sides == eSides::SourceOnly ? "source only" : "destination only";
}

TEST(PreviewActions, SetRefusesMissingAndUntouchedSides) {
    const struct {
        eSides sides;
        cTouchedSides touched;
        ActionFlags set;
        ActionFlags expected; // the old action S when refused
    } cases[] = {
        {eSides::Both, kBoth, F, F},
        {eSides::Both, kBoth, D, D},
        {eSides::Both, kBoth, B, B},
        {eSides::SourceOnly, kBoth, F, F},
        {eSides::SourceOnly, kBoth, B, S},
        {eSides::SourceOnly, kBoth, D, D},
        {eSides::DestOnly, kBoth, F, S},
        {eSides::DestOnly, kBoth, B, B},
        {eSides::DestOnly, kBoth, D, D},
        {eSides::Both, kMirror, F, F},
        {eSides::Both, kMirror, B, S},
        {eSides::Both, kMirror, D, S},
        {eSides::SourceOnly, kMirror, D, S},
        {eSides::DestOnly, kMirror, D, D},
        {eSides::DestOnly, kMirror, B, S},
        {eSides::Both, kBackMirror, F, S},
        {eSides::Both, kBackMirror, B, B},
        {eSides::Both, kBackMirror, D, S},
        {eSides::SourceOnly, kBackMirror, D, D},
        {eSides::DestOnly, kBackMirror, D, S},
        {eSides::Both, kNeither, F, S},
        {eSides::Both, kNeither, D, S},
    };
    for (const auto& c : cases) {
        const ActionFlags findings = kFlagCopyContent | kFlagSizeDiffers;
        auto candidate = MakeCandidate({0, "a", ".txt", c.sides, static_cast<ActionFlags>(S | findings)});
        const bool changed = SetCandidateAction(*candidate, c.set, c.touched);
        SCOPED_TRACE(std::string(SidesName(c.sides)) + ", touched " + std::to_string(c.touched.Source) +
                     std::to_string(c.touched.Dest) + ", set " + std::to_string(c.set));
        EXPECT_EQ(candidate->Action(), c.expected);
        EXPECT_EQ(changed, c.expected != S);
        EXPECT_EQ(candidate->Flags & ~kActionMask, findings) << "the findings stay";
    }
}

TEST(PreviewActions, SetWithoutAnActionBitOrTheSameActionChangesNothing) {
    auto candidate = MakeCandidate({0, "a", ".txt", eSides::Both, F});
    EXPECT_FALSE(SetCandidateAction(*candidate, F, kBoth));
    EXPECT_FALSE(SetCandidateAction(*candidate, kFlagSizeDiffers, kBoth));
    EXPECT_FALSE(SetCandidateAction(*candidate, F | S, kBoth));
    EXPECT_EQ(candidate->Flags, F);
}

TEST(PreviewActions, CycleSkipsWhatASideCannotDo) {
    const struct {
        eSides sides;
        cTouchedSides touched;
        ActionFlags start;
        std::vector<ActionFlags> clicks; // the action after each click
    } cases[] = {
        {eSides::Both, kBoth, F, {S, D, B, F}},
        {eSides::SourceOnly, kBoth, F, {S, D, F, S}}, // three clicks bring it back to forward
        {eSides::DestOnly, kBoth, S, {D, B, S, D}},
        {eSides::DestOnly, kBoth, B, {S, D, B}}, // backward → forward without a source → skip
        {eSides::Both, kMirror, F, {S, F, S}},
        {eSides::SourceOnly, kMirror, F, {S, F}},
        {eSides::DestOnly, kMirror, S, {D, S, D}},
        {eSides::Both, kBackMirror, S, {B, S, B}},
        {eSides::DestOnly, kBackMirror, B, {S, B}},
        {eSides::Both, kNeither, S, {S, S}},
    };
    for (const auto& c : cases) {
        auto candidate = MakeCandidate({0, "a", "", c.sides, static_cast<ActionFlags>(c.start | kFlagCopyContent)});
        std::vector<ActionFlags> actions;
        for (std::size_t i = 0; i < c.clicks.size(); ++i) {
            const ActionFlags before = candidate->Action();
            const bool changed = CycleCandidateAction(*candidate, c.touched);
            EXPECT_EQ(changed, candidate->Action() != before);
            actions.push_back(candidate->Action());
        }
        EXPECT_EQ(actions, c.clicks) << SidesName(c.sides) << ", touched " << c.touched.Source << c.touched.Dest;
        EXPECT_NE(candidate->Flags & kFlagCopyContent, 0);
    }
}

} // namespace
} // namespace previewtest
