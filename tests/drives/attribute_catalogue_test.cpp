// Names of S.M.A.R.T. attribute ids.
#include "drives/attribute_catalogue.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(AttributeCatalogue, NamesListedIdsAndFallsBackForOthers) {
    EXPECT_EQ("No Attribute Here", AttributeName(0));
    EXPECT_EQ("Temperature", AttributeName(194));
    EXPECT_EQ("Temperature", AttributeName(231));
    EXPECT_EQ("Load/Unload Cycle Count", AttributeName(225));
    EXPECT_EQ("Soft Read Error Rate", AttributeName(13));
    EXPECT_EQ("Read Error Retry Rate", AttributeName(250));
    for (int id : {14, 190, 195, 201, 229, 249, 251, 255}) {
        EXPECT_EQ("(Vendor-Specific)", AttributeName(static_cast<uint8_t>(id))) << id;
    }
}

} // namespace
} // namespace korvane
