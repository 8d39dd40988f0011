#pragma once
// Fakes and fixtures shared by the core tests.

#include "platform/ErrorReportPort.h"
#include "platform/MessageBoxPort.h"
#include "platform/Numbers.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace wexel::testing {

// Records every message instead of showing it.
class RecordingMessageBox : public MessageBoxPort {
public:
    struct Shown {
        std::string prompt;
        std::string title;
    };
    RecordingMessageBox() { setMessageBox(this); }
    ~RecordingMessageBox() override { setMessageBox(nullptr); }
    void showMessage(const std::string& prompt, const std::string& title) override {
        shown.push_back({prompt, title});
    }
    std::vector<Shown> shown;
};

// Records every error report.
class RecordingErrorReporter : public ErrorReportPort {
public:
    struct Report {
        std::string number, description, location, message;
    };
    RecordingErrorReporter() { setErrorReporter(this); }
    ~RecordingErrorReporter() override { setErrorReporter(nullptr); }
    void reportError(const std::string& sNumber, const std::string& sDescription,
                     const std::string& sLocation, const std::string& sMessage) override {
        reports.push_back({sNumber, sDescription, sLocation, sMessage});
    }
    std::vector<Report> reports;
};

// Sets the number locale for one test and puts the English one back after.
class ScopedNumberLocale {
public:
    ScopedNumberLocale(const std::string& decimal, const std::string& group)
        : saved_(numberLocale()) {
        setNumberLocale({decimal, group});
    }
    ~ScopedNumberLocale() { setNumberLocale(saved_); }

private:
    NumberLocale saved_;
};

// A fresh folder below the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("wexel-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << bytes;
    }

private:
    std::filesystem::path path_;
};

} // namespace wexel::testing
