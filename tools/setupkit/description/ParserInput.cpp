#include "ParserInput.h"

#include "Cp1252.h"

#include <cstdio>

namespace {

// One pass over the text, a character (or a quote run or an escape) at a time.
class ParserInput {
public:
    explicit ParserInput(std::string_view in) : in_(in) {
        out_.text.reserve(in_.size() + in_.size() / 8);
        if (in_.substr(0, 3) == "\xEF\xBB\xBF") {
            in_.remove_prefix(3); // a byte-order mark, which toml++ would skip too
        }
    }

    PreparedText Run() {
        while (i_ < in_.size() && out_.errorLine == 0) {
            Step();
        }
        return std::move(out_);
    }

private:
    enum class Context { Outside, Comment, Basic, MultiBasic, Literal, MultiLiteral };

    void Step() {
        const char c = in_[i_];
        if (c == '\n') {
            ++line_;
            if (context_ != Context::MultiBasic && context_ != Context::MultiLiteral) {
                context_ = Context::Outside; // an open single-line string is toml++'s error
            }
        }
        if (static_cast<unsigned char>(c) >= 0x80 && context_ != Context::Comment) {
            NonAscii();
            return;
        }
        bool taken = false;
        switch (context_) {
        case Context::Outside:
            taken = Outside(c);
            break;
        case Context::Comment:
            break;
        case Context::Basic:
        case Context::MultiBasic:
            taken = InBasic(c);
            break;
        case Context::Literal:
        case Context::MultiLiteral:
            taken = InLiteral(c);
            break;
        }
        if (!taken) {
            out_.text += c;
            ++i_;
        }
    }

    void Fail(std::string problem) {
        out_.errorLine = line_;
        out_.problem = std::move(problem);
    }

    std::size_t QuoteRun(char quote) const {
        std::size_t n = 0;
        while (i_ + n < in_.size() && in_[i_ + n] == quote) {
            ++n;
        }
        return n;
    }

    // A non-ASCII character in a string becomes its \u escape.
    void NonAscii() {
        if (context_ == Context::Outside) {
            Fail("characters other than ASCII belong in quoted texts or comments");
            return;
        }
        const char32_t cp = DecodeUtf8(in_, i_);
        if (cp == 0xFFFD) {
            Fail("malformed UTF-8");
            return;
        }
        char escape[12];
        std::snprintf(escape, sizeof escape, cp > 0xFFFF ? "\\U%08X" : "\\u%04X",
                      static_cast<unsigned>(cp));
        out_.text += escape;
    }

    // Outside, InBasic and InLiteral return whether they took the character (and moved past
    // it); otherwise it is copied as it is.
    bool Outside(char c) {
        if (c == '#') {
            context_ = Context::Comment;
            return false;
        }
        if (c != '"' && c != '\'') {
            return false;
        }
        const bool multi = QuoteRun(c) >= 3;
        context_ = c == '"' ? (multi ? Context::MultiBasic : Context::Basic)
                            : (multi ? Context::MultiLiteral : Context::Literal);
        out_.text += multi ? "\"\"\"" : "\"";
        i_ += multi ? 3 : 1;
        return true;
    }

    bool InBasic(char c) {
        if (c == '\\' && i_ + 1 < in_.size()) {
            if (static_cast<unsigned char>(in_[i_ + 1]) >= 0x80) {
                Fail("a backslash must be followed by an escape letter");
                return true;
            }
            line_ += in_[i_ + 1] == '\n' ? 1 : 0;
            out_.text.append(in_.substr(i_, 2));
            i_ += 2;
            return true;
        }
        if (c != '"') {
            return false;
        }
        const std::size_t run = context_ == Context::MultiBasic ? QuoteRun(c) : 1;
        if (context_ == Context::Basic || run >= 3) {
            context_ = Context::Outside;
        }
        out_.text.append(run, '"');
        i_ += run;
        return true;
    }

    // A literal string is rewritten as the basic string that means the same.
    bool InLiteral(char c) {
        if (c != '\'') {
            if (c == '"' || c == '\\') {
                out_.text += '\\'; // ordinary characters of a literal string
            }
            return false;
        }
        const std::size_t run = context_ == Context::MultiLiteral ? QuoteRun(c) : 1;
        if (context_ == Context::Literal) {
            out_.text += '"';
            context_ = Context::Outside;
        } else if (run >= 3) {
            if (run > 5) {
                Fail("at most two quotes may stand before the closing '''");
                return true;
            }
            out_.text.append(run - 3, '\'');
            out_.text += "\"\"\"";
            context_ = Context::Outside;
        } else {
            out_.text.append(run, '\'');
        }
        i_ += run;
        return true;
    }

    std::string_view in_;
    std::size_t i_ = 0;
    std::uint32_t line_ = 1;
    Context context_ = Context::Outside;
    PreparedText out_;
};

} // namespace

PreparedText PrepareForParser(std::string_view in) {
    return ParserInput(in).Run();
}
