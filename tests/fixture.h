// Shared test helpers: a fixture that starts every test from a fresh, empty
// store, a validity check to run after each mutation, and file helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <fstream>
#include <string>
#include <vector>

#include <wx/log.h>

#include "model/store.h"
#include "model/validate.h"

// Asserts that the store keeps its invariants.
#define EXPECT_STORE_VALID() EXPECT_EQ(validateStore(), std::string())

// Collects the messages of the error log during a test.
class CapturedLog : public wxLog {
public:
    CapturedLog() { previous_ = wxLog::SetActiveTarget(this); }
    ~CapturedLog() override { wxLog::SetActiveTarget(previous_); }
    std::vector<std::string> errors;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Error)
            errors.push_back(std::string(msg.utf8_str()));
    }

private:
    wxLog* previous_;
};

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { resetStore(); }
    void TearDown() override
    {
        resetStore();
        for (const std::string& p : files_)
            std::remove(p.c_str());
    }

    // Writes `text` to a new temporary file and returns its path.
    std::string writeFile(const std::string& text)
    {
        char name[] = "/tmp/korvith-test-XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        std::ofstream out(name, std::ios::binary);
        out << text;
        files_.push_back(name);
        return name;
    }

private:
    std::vector<std::string> files_;
};

// The one-cell surface of the worked example, in the sectioned form.
extern const char* const kSingleCellFile;
// The source directory (samples live in its "sample/" folder).
std::string sourceDir();
