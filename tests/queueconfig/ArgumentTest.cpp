#include "Class/Argument.h"

#include <gtest/gtest.h>

TEST(ArgumentTest, EveryArgumentInOrderWithInvalidUTF8HeldAsNone) {
    char prog[] = "queueconfig";
    char uri[] = "socket://127.0.0.2";
    char bad[] = "/tmp/\xff.ppd";
    char extra[] = "ignored";
    char* argv[] = {prog, uri, bad, extra, nullptr};
    Argument arguments(4, argv);
    ASSERT_NE(arguments.GetArrayRef(), nullptr);
    const auto& array = *arguments.GetArrayRef();
    ASSERT_EQ(array.size(), 4u);
    EXPECT_EQ(array[0], "queueconfig");
    EXPECT_EQ(array[1], "socket://127.0.0.2");
    EXPECT_EQ(array[2], std::nullopt);
    EXPECT_EQ(array[3], "ignored");
}

TEST(ArgumentTest, NothingToReadGivesMinus50AndNoArray) {
    char prog[] = "queueconfig";
    char* argv[] = {prog, nullptr};
    Argument none(0, argv);
    EXPECT_EQ(none.GetArrayRef(), nullptr);
    EXPECT_EQ(none.Create(0, argv), -50);
    EXPECT_EQ(none.Create(1, nullptr), -50);
    EXPECT_EQ(none.Create(1, argv), 0);
    ASSERT_NE(none.GetArrayRef(), nullptr);
    EXPECT_EQ(none.GetArrayRef()->size(), 1u);
}
