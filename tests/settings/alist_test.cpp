// TAList: appends in order, owns its elements and destroys them first to last with itself.
#include "settings/alist.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace korvane {
namespace {

struct Noted {
    Noted(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
    ~Noted() { log.push_back(name); }
    std::vector<std::string>& log;
    std::string name;
};

TEST(TAList, KeepsTheOrderAndDestroysFirstToLastWithTheList) {
    std::vector<std::string> destroyed;
    {
        TAList<Noted> list;
        EXPECT_EQ(0u, list.Count());
        EXPECT_EQ(nullptr, list.Get(0));
        Noted& first = list.Add(std::make_unique<Noted>(destroyed, "first"));
        list.Add(std::make_unique<Noted>(destroyed, "second"));
        list.Add(std::make_unique<Noted>(destroyed, "third"));
        EXPECT_EQ(3u, list.Count());
        EXPECT_EQ(&first, list.Get(0));
        EXPECT_EQ("third", list.Get(2)->name);
        EXPECT_EQ(nullptr, list.Get(3));
        EXPECT_TRUE(destroyed.empty());
    }
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), destroyed);
}

} // namespace
} // namespace korvane
