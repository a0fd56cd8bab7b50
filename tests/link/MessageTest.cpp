#include "link/Message.h"

#include <gtest/gtest.h>

namespace {

TEST(Message, StartsClearedAndBorrowsData)
{
    Message message;
    EXPECT_EQ(message.GetDirection(), Message::kNotSet);
    EXPECT_EQ(message.Data(), nullptr);
    EXPECT_EQ(message.Length(), 0);
    EXPECT_FALSE(message.OwnsData());
    EXPECT_EQ(message.Transport(), nullptr);

    uint8_t buffer[4] = {1, 2, 3, 4};
    message.Set(Message::kWrite, buffer, 4, nullptr, false);
    EXPECT_EQ(message.Data(), buffer);
    EXPECT_FALSE(message.OwnsData());
}

TEST(Message, CopyKeepsAPrivateCopyThatClearFrees)
{
    uint8_t buffer[3] = {7, 8, 9};
    Message message;
    message.Set(Message::kRead, buffer, 3, nullptr, true);
    ASSERT_NE(message.Data(), buffer);
    EXPECT_TRUE(message.OwnsData());
    buffer[0] = 0;
    EXPECT_EQ(message.Data()[0], 7);
    EXPECT_EQ(message.GetDirection(), Message::kRead);
    EXPECT_EQ(message.Length(), 3);

    message.Clear();  // the sanitizer build reports the copy if it leaked
    EXPECT_EQ(message.Data(), nullptr);
    EXPECT_FALSE(message.OwnsData());
}

}  // namespace
