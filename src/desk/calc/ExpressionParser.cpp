#include "desk/calc/ExpressionParser.h"

#include <charconv>
#include <climits>
#include <string>

#include "desk/calc/NameRules.h"
#include "platform/text/VexString.h"

namespace Desk {
namespace {

// Deep enough for any expression a person or the module writes; keeps a
// hostile text from exhausting the stack.
constexpr int kMaxDepth = 64;

std::string Utf8(std::u16string_view text) { return VEX::String(text).ToUtf8(); }

class Parser {
public:
    explicit Parser(std::u16string_view text) : text_(text) {}

    Expression ParseWhole()
    {
        SkipSpaces();
        if (AtEnd()) {
            Fail(pos_, "Empty expression");
        }
        Expression result = ParseArgument(0);
        SkipSpaces();
        if (!AtEnd()) {
            if (Peek() == u')') {
                Fail(pos_, "Unbalanced ')'");
            }
            Fail(pos_, "Unexpected '" + Utf8(text_.substr(pos_, 1)) + "' after the end of the expression");
        }
        return result;
    }

private:
    [[noreturn]] static void Fail(std::size_t offset, const std::string& what)
    {
        throw ExpressionError(what + " at column " + std::to_string(offset + 1));
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char16_t Peek() const { return AtEnd() ? u'\0' : text_[pos_]; }

    void SkipSpaces()
    {
        while (!AtEnd() && (Peek() == u' ' || Peek() == u'\t')) {
            ++pos_;
        }
    }

    Expression ParseArgument(int depth)
    {
        SkipSpaces();
        const std::size_t start = pos_;
        if (AtEnd()) {
            Fail(pos_, "Expected a channel, number, name or call but the expression ends");
        }
        const char16_t c = Peek();
        if (c == u'-') {
            return ParseNegated(start);
        }
        if (IsDigit(c) || c == u'.') {
            return ParseNumber(start, false);
        }
        if (IsNameStart(c)) {
            return ParseNameOrCall(start, depth);
        }
        Fail(pos_, "Unexpected '" + Utf8(text_.substr(pos_, 1)) + "'");
    }

    Expression ParseNegated(std::size_t start)
    {
        ++pos_;
        if (IsDigit(Peek()) || Peek() == u'.') {
            return ParseNumber(start, true);
        }
        const std::u16string_view word = ScanName();
        if (IsChannelWord(word)) {
            return MakeChannel(start, word, true);
        }
        Fail(start, "'-' must be followed by a number or a channel such as -ch1");
    }

    std::u16string_view ScanName()
    {
        const std::size_t start = pos_;
        if (IsNameStart(Peek())) {
            while (!AtEnd() && IsNameChar(Peek())) {
                ++pos_;
            }
        }
        return text_.substr(start, pos_ - start);
    }

    static bool IsChannelWord(std::u16string_view word)
    {
        if (word.size() < 3 || (word[0] != u'c' && word[0] != u'C') || (word[1] != u'h' && word[1] != u'H')) {
            return false;
        }
        for (std::size_t i = 2; i < word.size(); ++i) {
            if (!IsDigit(word[i])) {
                return false;
            }
        }
        return true;
    }

    static Expression MakeChannel(std::size_t start, std::u16string_view word, bool negated)
    {
        std::int64_t number = 0;
        for (std::size_t i = 2; i < word.size(); ++i) {
            number = number * 10 + (word[i] - u'0');
            if (number > INT_MAX) {
                Fail(start, "Channel number " + Utf8(word.substr(2)) + " is too large");
            }
        }
        if (number < 1) {
            Fail(start, "Channels count from 1: " + Utf8(word) + " names none");
        }
        Expression node;
        node.kind = Expression::Kind::Channel;
        node.column = start + 1;
        node.channel = static_cast<std::int32_t>(number - 1);
        node.negated = negated;
        return node;
    }

    void ScanDigits()
    {
        while (IsDigit(Peek())) {
            ++pos_;
        }
    }

    // digits [. digits] [e|E [+|-] digits], at least one mantissa digit.
    Expression ParseNumber(std::size_t start, bool negative)
    {
        const std::size_t mantissaStart = pos_;
        ScanDigits();
        bool hasDigits = pos_ > mantissaStart;
        if (Peek() == u'.') {
            ++pos_;
            const std::size_t fractionStart = pos_;
            ScanDigits();
            hasDigits = hasDigits || pos_ > fractionStart;
        }
        bool wellFormed = hasDigits;
        if (Peek() == u'e' || Peek() == u'E') {
            ++pos_;
            if (Peek() == u'+' || Peek() == u'-') {
                ++pos_;
            }
            const std::size_t exponentStart = pos_;
            ScanDigits();
            wellFormed = wellFormed && pos_ > exponentStart;
        }
        while (IsNameChar(Peek()) || Peek() == u'.') {
            ++pos_;
            wellFormed = false;
        }
        const std::u16string_view token = text_.substr(start, pos_ - start);
        if (!wellFormed) {
            Fail(start, "Malformed number '" + Utf8(token) + "'");
        }
        return MakeNumber(start, token, negative);
    }

    static Expression MakeNumber(std::size_t start, std::u16string_view token, bool negative)
    {
        // The token holds only ASCII digits, '.', 'e', signs: a plain narrowing.
        const std::string ascii(token.begin() + (negative ? 1 : 0), token.end());
        double value = 0.0;
        const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
        if (error == std::errc::result_out_of_range) {
            Fail(start, "Number '" + Utf8(token) + "' is out of range");
        }
        if (error != std::errc() || end != ascii.data() + ascii.size()) {
            Fail(start, "Malformed number '" + Utf8(token) + "'");
        }
        Expression node;
        node.kind = Expression::Kind::Number;
        node.column = start + 1;
        node.number = negative ? -value : value;
        return node;
    }

    Expression ParseNameOrCall(std::size_t start, int depth)
    {
        const std::u16string_view word = ScanName();
        const std::size_t afterWord = pos_;
        SkipSpaces();
        if (Peek() != u'(') {
            pos_ = afterWord;
            if (IsChannelWord(word)) {
                return MakeChannel(start, word, false);
            }
            Expression node;
            node.kind = Expression::Kind::Name;
            node.column = start + 1;
            node.name = std::u16string(word);
            return node;
        }
        if (depth + 1 >= kMaxDepth) {
            Fail(start, "Expression nested too deeply");
        }
        Expression call;
        call.kind = Expression::Kind::Call;
        call.column = start + 1;
        call.name = std::u16string(word);
        ParseArguments(call, pos_, depth + 1);
        return call;
    }

    void ParseArguments(Expression& call, std::size_t openParen, int depth)
    {
        ++pos_;
        SkipSpaces();
        if (Peek() == u')') {
            ++pos_;
            return;
        }
        for (;;) {
            call.arguments.push_back(ParseArgument(depth));
            SkipSpaces();
            if (AtEnd()) {
                Fail(openParen, "Missing ')' for the '(' of " + Utf8(call.name));
            }
            const char16_t next = Peek();
            ++pos_;
            if (next == u')') {
                return;
            }
            if (next != u',') {
                Fail(pos_ - 1, "Expected ',' or ')' in the arguments of " + Utf8(call.name) + " but found '" +
                                   Utf8(text_.substr(pos_ - 1, 1)) + "'");
            }
        }
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

Expression ParseExpression(std::u16string_view text) { return Parser(text).ParseWhole(); }

} // namespace Desk
