// The lexer started on source text as a run would start it, in a conversion of its own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/settings.h"
#include "driver/run.h"
#include "emit/conversion.h"
#include "lexer/charsource.h"
#include "lexer/directives.h"
#include "lexer/resolver.h"
#include "lexer/symbols.h"
#include "lexer/tokenizer.h"

class ConversionTest : public ::testing::Test {
protected:
    void TearDown() override {
        active_.reset();
        lexRun_.reset();
    }

public:
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

    std::string lexText_;
    std::unique_ptr<::Conversion> lexRun_;
    std::unique_ptr<ActiveContext> active_;
    std::unique_ptr<TextReader> lexReader_;
    TextResolver lexFiles_;
};
