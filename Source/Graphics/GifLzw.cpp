// The variable-length-code LZW of GIF image data, writing colour indices row by row.
#include "Graphics/GifDecoder.h"

#include <algorithm>

namespace Corvane
{
namespace
{
// 12-bit codes: a full table stops growing until the next clear code (a "deferred clear").
constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeWidth = 12;

// The order in which a GIF image's rows arrive: top to bottom, or the four interlace passes
// (every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
class RowOrder
{
public:
    RowOrder(int height, bool interlaced) : mHeight(height), mInterlaced(interlaced) {}

    // The first row, or -1 when there is none.
    int First() const { return mHeight > 0 ? 0 : -1; }
    // The row after row, or -1 when every row has come.
    int Next(int row)
    {
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        if (!mInterlaced)
            return row + 1 < mHeight ? row + 1 : -1;
        row += kStep[mPass];
        while (row >= mHeight)
        {
            if (++mPass == 4)
                return -1;
            row = kStart[mPass];
        }
        return row;
    }

private:
    int mHeight;
    bool mInterlaced;
    int mPass = 0;
};

struct LzwTables
{
    std::uint16_t prefix[kMaxCodes];
    std::uint8_t suffix[kMaxCodes];
    std::uint8_t first[kMaxCodes];   // the first index of each code's string
    std::uint16_t length[kMaxCodes]; // the length of each code's string, at most kMaxCodes
    std::uint8_t stack[kMaxCodes];   // a string that crosses rows, unpacked before it is copied
};

// Writes decoded strings into the frame's rows; counts what it wrote.
class IndexWriter
{
public:
    IndexWriter(GifFrame& frame, LzwTables& tables, int clearCode)
        : mFrame(frame), mTables(tables), mClear(clearCode), mOrder(frame.height, frame.interlaced)
    {
        StartRow(mOrder.First());
    }

    bool IsFull() const { return !mRow; }
    std::size_t GetWritten() const { return mWritten; }

    // Writes the string of code; false once every pixel is filled (the rest of it is dropped).
    bool Write(int code)
    {
        const int length = mTables.length[code];
        if (length <= mLeft)
        {
            // The common case: the string fits the row, so it is written backwards in place.
            std::uint8_t* out = mRow + (mFrame.width - mLeft) + length - 1;
            int c = code;
            while (c >= mClear)
            {
                *out-- = mTables.suffix[c];
                c = mTables.prefix[c];
            }
            *out = static_cast<std::uint8_t>(c);
            Advance(length);
            return !IsFull();
        }
        std::uint8_t* stack = mTables.stack + length;
        int c = code;
        while (c >= mClear)
        {
            *--stack = mTables.suffix[c];
            c = mTables.prefix[c];
        }
        *--stack = static_cast<std::uint8_t>(c);
        int remaining = length;
        while (remaining > 0 && !IsFull())
        {
            const int n = std::min(remaining, mLeft);
            std::copy_n(stack, n, mRow + (mFrame.width - mLeft));
            stack += n;
            remaining -= n;
            Advance(n);
        }
        return !IsFull();
    }

private:
    void StartRow(int row)
    {
        mRowIndex = row;
        mRow = row >= 0 ? mFrame.indices.get() + std::size_t(row) * mFrame.stride : nullptr;
        mLeft = row >= 0 ? mFrame.width : 0;
    }

    void Advance(int n)
    {
        mWritten += std::size_t(n);
        mLeft -= n;
        if (mLeft == 0)
            StartRow(mOrder.Next(mRowIndex));
    }

    GifFrame& mFrame;
    LzwTables& mTables;
    int mClear;
    RowOrder mOrder;
    int mRowIndex = -1;
    std::uint8_t* mRow = nullptr; // the row being filled, null when every row is full
    int mLeft = 0;                // pixels still free in that row
    std::size_t mWritten = 0;
};

// Codes are packed least significant bit first across bytes.
class CodeReader
{
public:
    CodeReader(const std::uint8_t* data, std::size_t size) : mData(data), mSize(size) {}

    // The next code of width bits; false where the data ends.
    bool Read(int width, int& code)
    {
        if (mCount < width)
        {
            Refill();
            if (mCount < width)
                return false;
        }
        code = static_cast<int>(mBits & ((1u << width) - 1));
        mBits >>= width;
        mCount -= width;
        return true;
    }

    unsigned GetBitsConsumed() const { return static_cast<unsigned>(mPosition * 8 - std::size_t(mCount)); }

private:
    void Refill()
    {
        if (mPosition + 8 <= mSize)
        {
            std::uint64_t word = 0;
            for (int i = 7; i >= 0; --i)
                word = (word << 8) | mData[mPosition + std::size_t(i)];
            mBits |= word << mCount;
            mPosition += std::size_t(63 - mCount) >> 3;
            mCount |= 56;
            return;
        }
        while (mCount <= 56 && mPosition < mSize)
        {
            mBits |= std::uint64_t(mData[mPosition++]) << mCount;
            mCount += 8;
        }
    }

    const std::uint8_t* mData;
    std::size_t mSize;
    std::size_t mPosition = 0;
    std::uint64_t mBits = 0;
    int mCount = 0; // valid low bits of mBits
};
} // namespace

std::vector<int> GifFrame::GetFilledPixelsPerRow() const
{
    std::vector<int> filled(std::size_t(std::max(height, 0)), 0);
    if (width <= 0)
        return filled;
    std::size_t left = decodedPixels;
    RowOrder order(height, interlaced);
    for (int row = order.First(); row >= 0 && left > 0; row = order.Next(row))
    {
        const int n = static_cast<int>(std::min(left, std::size_t(width)));
        filled[std::size_t(row)] = n;
        left -= std::size_t(n);
    }
    return filled;
}

unsigned DecodeGifLzw(const std::uint8_t* data, std::size_t size, GifFrame& frame, int minimumCodeSize)
{
    frame.decodedPixels = 0;
    if (!IsValidGifCodeSize(minimumCodeSize) || frame.width <= 0 || frame.height <= 0 || !frame.indices ||
        frame.stride < frame.width)
        return 0;

    const int clear = 1 << minimumCodeSize;
    const int end = clear + 1;
    auto tables = std::make_unique<LzwTables>();
    for (int c = 0; c < clear; ++c)
    {
        tables->first[c] = static_cast<std::uint8_t>(c);
        tables->length[c] = 1;
    }

    CodeReader reader(data, size);
    IndexWriter writer(frame, *tables, clear);
    int next = clear + 2;
    int width = minimumCodeSize + 1;
    int previous = -1; // none right after a clear code
    int code = 0;
    while (reader.Read(width, code))
    {
        if (code == clear)
        {
            next = clear + 2;
            width = minimumCodeSize + 1;
            previous = -1;
            continue;
        }
        if (code == end)
            break;
        if (previous < 0)
        {
            if (code >= clear) // only single indices have strings after a clear
                break;
        }
        else
        {
            // A code may name the entry about to be made (the previous string plus its own first
            // index), never one beyond it.
            if (code > next || (code == next && next == kMaxCodes))
                break;
            if (next < kMaxCodes)
            {
                tables->prefix[next] = static_cast<std::uint16_t>(previous);
                tables->suffix[next] = code < next ? tables->first[code] : tables->first[previous];
                tables->first[next] = tables->first[previous];
                tables->length[next] = static_cast<std::uint16_t>(tables->length[previous] + 1);
                ++next;
                if (next == (1 << width) && width < kMaxCodeWidth)
                    ++width;
            }
        }
        if (!writer.Write(code))
            break;
        previous = code;
    }
    frame.decodedPixels = writer.GetWritten();
    return reader.GetBitsConsumed();
}
} // namespace Corvane
