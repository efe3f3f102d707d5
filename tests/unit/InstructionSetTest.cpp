// The one setting of the instruction set that the decoder and the zoom follow.
#include "PictureTestSupport.h"
#include "picture/ProcessorFeatures.h"

#include <gtest/gtest.h>

namespace {

// Every level the processor runs can be set and no other; a refusal leaves the level in use as
// it was. The last level tried is wider than any the build knows, so that every processor
// refuses one.
TEST(InstructionSet, OnlyLevelsTheProcessorRunsCanBeSet)
{
    const InstructionSet widest = ProcessorInstructionSet();
    EXPECT_EQ(InstructionSetInUse(), widest);
#ifdef LUMBREL_X86
    EXPECT_GE(widest, InstructionSet::Sse2);
#endif
    for (int level = 0; level <= static_cast<int>(InstructionSet::Avx2) + 1; ++level) {
        const auto wanted = static_cast<InstructionSet>(level);
        ASSERT_TRUE(SetInstructionSet(InstructionSet::Portable));
        EXPECT_EQ(SetInstructionSet(wanted), wanted <= widest) << "level " << level;
        EXPECT_EQ(InstructionSetInUse(), wanted <= widest ? wanted : InstructionSet::Portable)
            << "level " << level;
    }
    SetInstructionSet(widest);
}

} // namespace
