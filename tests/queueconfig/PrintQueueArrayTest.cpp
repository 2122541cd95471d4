#include "Class/PrintQueueArray.h"

#include <gtest/gtest.h>

TEST(PrintQueueArrayTest, OneQueueNamedAndIdentifiedByItsDeviceURI) {
    PrintQueueArray queues;
    EXPECT_EQ(queues.GetCount(), 0);
    ASSERT_EQ(queues.CreateQueueWithName(std::string("socket://127.0.0.2")), 0);
    EXPECT_EQ(queues.GetCount(), 1);
    EXPECT_EQ(queues.GetNames(), std::vector<std::string>{"socket://127.0.0.2"});
    EXPECT_EQ(queues.GetIDs(), std::vector<std::string>{"socket://127.0.0.2"});
    ASSERT_EQ(queues.GetURIs().size(), 1u);
    ASSERT_TRUE(queues.GetURIs()[0]);
    EXPECT_EQ(queues.GetURIs()[0]->GetScheme(), "socket");
    EXPECT_EQ(queues.GetURIs()[0]->GetHost(), "127.0.0.2");

    queues.Release();
    EXPECT_EQ(queues.GetCount(), 0);
    EXPECT_TRUE(queues.GetNames().empty() && queues.GetURIs().empty() && queues.GetIDs().empty());
}

TEST(PrintQueueArrayTest, NoDeviceURIGivesMinus50AndAnEmptyList) {
    PrintQueueArray queues;
    EXPECT_EQ(queues.CreateQueueWithName(std::nullopt), -50);
    EXPECT_EQ(queues.GetCount(), 0);
    EXPECT_TRUE(queues.GetNames().empty());
}

TEST(PrintQueueArrayTest, TextThatIsNoURLStillMakesAQueueWithoutURI) {
    PrintQueueArray queues;
    ASSERT_EQ(queues.CreateQueueWithName(std::string("socket://two words")), 0);
    EXPECT_EQ(queues.GetCount(), 1);
    EXPECT_EQ(queues.GetNames()[0], "socket://two words");
    ASSERT_EQ(queues.GetURIs().size(), 1u);
    EXPECT_FALSE(queues.GetURIs()[0]);
}
