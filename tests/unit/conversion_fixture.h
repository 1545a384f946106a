// One fixture for every test that runs the tool or its lexer on source text: a fresh folder per
// test (made the current one), whole runs in-process with the console captured, and the lexer
// started on a source file as a run would start it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/settings.h"
#include "driver/run.h"
#include "emit/conversion.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/resolver.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

struct RunResult {
    int status;
    std::string out;  // standard output after the banner line
    std::string err;
};

class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string stem = std::string("propwright_") + test->test_suite_name() + "_" + test->name();
        for (char& c : stem)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        // Another process may run the same test: take the first free name.
        for (int n = 0;; ++n) {
            fs::path candidate = fs::temp_directory_path() / (stem + "_" + std::to_string(n));
            if (fs::create_directory(candidate)) {
                dir_ = candidate.string();
                break;
            }
        }
        previous_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        namespace fs = std::filesystem;
        active_.reset();
        lexRun_.reset();
        fs::current_path(previous_);
        std::error_code ignored;  // a test may have taken the folder's write permission away
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

public:
    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool Exists(const std::string& name) { return std::filesystem::exists(name); }
    static std::vector<std::string> Listing(const std::string& folder = ".") {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // RunPropwright with these arguments after the program name, the console captured.
    static RunResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "propwright");
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        RunResult r;
        r.status = RunPropwright(int(args.size()), argv.data());
        const std::string out = testing::internal::GetCapturedStdout();
        r.err = testing::internal::GetCapturedStderr();
        const size_t eol = out.find('\n');
        EXPECT_EQ(out.rfind("Propwright. Release Version ", 0), 0u) << out;
        r.out = eol == std::string::npos ? "" : out.substr(eol + 1);
        return r;
    }

    // Starts the lexer of a new conversion on text, reported under name.
    void OpenLexer(const std::string& text, const char* name = "src.rr") {
        active_.reset();
        lexText_ = text;
        lexRun_.reset(new ::Conversion);
        lexRun_->resolver = &lexFiles_;
        lexRun_->sink = PrintDiagnostic;
        active_.reset(new ActiveContext(*lexRun_));
        lexReader_.reset(new TextReader(lexText_));
        StartLexFile(lexReader_.get(), name);
    }
    static uint32_t NextKind() {
        GetToken();
        return Token().kind;
    }

    std::string dir_;
    std::filesystem::path previous_;
    std::string lexText_;
    std::unique_ptr<::Conversion> lexRun_;
    std::unique_ptr<ActiveContext> active_;
    std::unique_ptr<TextReader> lexReader_;
    TextResolver lexFiles_;
};
