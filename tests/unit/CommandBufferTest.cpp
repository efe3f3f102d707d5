#include "menus/CommandBuffer.h"

#include "install/DiscLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandBuffer, HoldsTextsUpToCapacityMinusOneFollowedByZerosAndRefusesLongerOnes)
{
    for (const std::size_t capacity : {kAutorunCommandCapacity, kOptionsCommandCapacity}) {
        const std::string fits(capacity - 1, 'x');
        const auto buffer = ZeroFilledBuffer(fits, capacity);
        ASSERT_TRUE(buffer.has_value());
        ASSERT_EQ(buffer->size(), capacity);
        EXPECT_EQ(std::string(buffer->data()), fits);
        EXPECT_EQ(buffer->back(), '\0');

        EXPECT_FALSE(ZeroFilledBuffer(std::string(capacity, 'x'), capacity).has_value());
        EXPECT_FALSE(ZeroFilledBuffer(std::string(capacity + 50, 'x'), capacity).has_value());
    }
}

TEST(CommandBuffer, ZeroFillsEverythingAfterTheText)
{
    const auto buffer =
        ZeroFilledBuffer("D:\\zarn2000\\setup\\disk1\\setup.exe", kAutorunCommandCapacity);
    ASSERT_TRUE(buffer.has_value());
    EXPECT_EQ(std::string(buffer->data()), "D:\\zarn2000\\setup\\disk1\\setup.exe");
    for (std::size_t i = 33; i < buffer->size(); ++i)
        EXPECT_EQ((*buffer)[i], '\0') << i;
}

// A drive keeps the buffer the menu was built with; a copy of the disc in a folder or on a share
// gets room for any path the system starts a program from, but never less than the menu's own.
TEST(CapacityUnder, IsTheMenusOwnForADriveAndAFullPathsForAFolder)
{
    const struct {
        const char* root;
        std::size_t autorun;
        std::size_t options;
    } cases[] = {
        {"D:", 50, 200},
        {"D", 50, 200},
        {"d:\\", 50, 200},
        {"D:/", 50, 200},
        {"C:\\Users\\alice\\Desktop\\Zarn CD", 260, 260},
        {"\\\\fileserver01\\games", 260, 260},
        {"D:\\zarn2000", 260, 260},
        {"Not Found", 260, 260},
        {"", 260, 260},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CapacityUnder(c.root, kAutorunCommandCapacity), c.autorun) << c.root;
        EXPECT_EQ(CapacityUnder(c.root, kOptionsCommandCapacity), c.options) << c.root;
    }
}

} // namespace
