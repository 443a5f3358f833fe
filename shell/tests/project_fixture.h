#pragma once
// A project model in a temporary folder of its own.

#include "shell/file_io.h"
#include "shell/project_model.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace veltran::testing_support {

class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("veltran-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::string write(const std::string& name, const std::string& content) const {
        const std::string p = path(name);
        write_file_replacing(p, content);
        return p;
    }
    static std::string read(const std::string& p) { return read_file(p).value_or("<missing>"); }
    static std::string data(const std::string& name) {
        return std::string(VELTRAN_TEST_DATA) + "/data/" + name;
    }

    TProjectModel model;

private:
    std::filesystem::path folder_;
};

} // namespace veltran::testing_support
