#include "model/collection.h"

#include <gtest/gtest.h>

TEST(Smoke, EmptyCollection) {
    kt::Collection c;
    EXPECT_EQ(c.AnzFilm(), 0);
}
