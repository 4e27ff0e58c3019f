#pragma once

#include "db/database.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

// A text database made from tests/fixtures/search_text.sql in a folder of
// its own, so tests may change it.
class SearchDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::buildFixtureDatabase(file(), {"search_text"});
        ASSERT_TRUE(db.openFile(file())) << db.lastError();
    }
    std::filesystem::path file() const { return dir.path() / "English.ttb"; }

    testing_support::TempDir dir;
    db::Database db;
};
