#include "SceneGraph/FrameList.h"

#include "SceneGraph/AnimationParseError.h"

#include <boost/lexical_cast.hpp>

#include <deque>

namespace
{
struct FrameListToken
{
    enum Kind
    {
        kInteger = 0,
        kComma = 1,
        kDash = 2,
        kEnd = 3,
    };

    int kind;
    std::string text;
    int pos;  // column from 1; for an integer the column just after its last digit
    int line; // from 1
};

using TokenQueue = std::deque<FrameListToken>;

std::string Where(int line, int pos)
{
    return "(line " + std::to_string(line) + ", pos " + std::to_string(pos) + ")";
}

void Tokenize(const std::string& text, TokenQueue& tokens)
{
    int line = 1;
    int pos = 1;
    std::size_t i = 0;
    while (i < text.size())
    {
        const char c = text[i];
        if (c == ',' || c == '-')
        {
            tokens.push_back({c == ',' ? FrameListToken::kComma : FrameListToken::kDash, std::string(1, c), pos, line});
            ++pos;
            ++i;
        }
        else if (c >= '0' && c <= '9')
        {
            const std::size_t start = i;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            {
                ++pos;
                ++i;
            }
            tokens.push_back({FrameListToken::kInteger, text.substr(start, i - start), pos, line});
        }
        else if (c == ' ' || c == '\t')
        {
            ++pos;
            ++i;
        }
        else if (c == '\n')
        {
            ++line;
            pos = 1;
            ++i;
        }
        else
            throw AnimationParseError("unrecognized token '" + std::string(1, c) + "' " + Where(line, pos));
    }
    tokens.push_back({FrameListToken::kEnd, "<end of list>", pos, line});
}

// The parser's rules over the token queue. The end token is never removed, so looking past the end
// sees it again.
class FrameListParser
{
public:
    FrameListParser(TokenQueue& tokens, std::vector<int>& out) : mTokens(tokens), mOut(out) {}

    // list: end | item tail
    void List()
    {
        if (Front().kind == FrameListToken::kEnd)
            return;
        if (Front().kind != FrameListToken::kInteger)
            Illegal(std::string());
        Item();
        Tail();
    }

private:
    const FrameListToken& Front() const { return mTokens.front(); }

    [[noreturn]] void Illegal(const std::string& expectation) const
    {
        const FrameListToken& token = Front();
        throw AnimationParseError("illegal token '" + token.text + "' " + Where(token.line, token.pos) + ". " +
                                  expectation);
    }

    // tail: end | "," item tail (a loop, so long lists need no deep stack)
    void Tail()
    {
        for (;;)
        {
            if (Front().kind == FrameListToken::kEnd)
                return;
            if (Front().kind != FrameListToken::kComma)
                Illegal("(Expected ',').");
            mTokens.pop_front();
            Item();
        }
    }

    // item: integer | integer "-" integer
    void Item()
    {
        const int a = Integer();
        if (Front().kind != FrameListToken::kDash)
        {
            Append(a);
            return;
        }
        mTokens.pop_front();
        const int b = Integer();
        const int step = a <= b ? 1 : -1;
        for (int i = a;; i += step)
        {
            Append(i);
            if (i == b)
                break;
        }
    }

    int Integer()
    {
        if (Front().kind != FrameListToken::kInteger)
            Illegal("(Expected an integer).");
        const int value = boost::lexical_cast<int>(Front().text);
        mLastLine = Front().line;
        mLastPos = Front().pos;
        mTokens.pop_front();
        return value;
    }

    void Append(int index)
    {
        if (mOut.size() >= kMaxFrameListLength)
            throw AnimationParseError("frame list too long " + Where(mLastLine, mLastPos) + ". (At most " +
                                      std::to_string(kMaxFrameListLength) + " frames).");
        mOut.push_back(index);
    }

    TokenQueue& mTokens;
    std::vector<int>& mOut;
    // The integer that ended the item being expanded, for the length error.
    int mLastLine = 1;
    int mLastPos = 1;
};
} // namespace

std::vector<int> ParseFrameList(const std::string& text)
{
    TokenQueue tokens;
    Tokenize(text, tokens);
    std::vector<int> indices;
    FrameListParser(tokens, indices).List();
    return indices;
}
