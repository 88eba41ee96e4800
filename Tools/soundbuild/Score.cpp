#include "Score.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <locale>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace Corvane::SoundBuild
{
namespace
{
class Reader
{
public:
    explicit Reader(std::string name) : mName(std::move(name)) {}

    [[noreturn]] void Fail(const std::string& message) const
    {
        throw std::runtime_error(mName + "(" + std::to_string(mLine) + "): " + message);
    }

    void SetLine(int line) { mLine = line; }

    double Number(const std::string& text, double low, double high) const
    {
        // Scores are written with '.' whatever the locale, as every data file is.
        std::istringstream in(text);
        in.imbue(std::locale::classic());
        double value = 0.0;
        in >> value;
        if (!in || in.peek() != std::char_traits<char>::eof() || value < low || value > high)
            Fail("'" + text + "' is not a number from " + Format(low) + " to " + Format(high));
        return value;
    }

private:
    static std::string Format(double value)
    {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out << value;
        return out.str();
    }

    std::string mName;
    int mLine = 0;
};

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// "key=value" into its two halves; false without "=".
bool Setting(const std::string& word, std::string& key, std::string& value)
{
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos)
        return false;
    key = word.substr(0, equals);
    value = word.substr(equals + 1);
    return true;
}

Wave WaveNamed(const Reader& reader, const std::string& name)
{
    if (name == "sine")
        return Wave::Sine;
    if (name == "triangle")
        return Wave::Triangle;
    if (name == "square")
        return Wave::Square;
    if (name == "saw")
        return Wave::Saw;
    if (name == "noise")
        return Wave::Noise;
    reader.Fail("unknown wave '" + name + "' (sine, triangle, square, saw, noise)");
}

std::vector<double> NumberList(const Reader& reader, const std::string& text, double low, double high)
{
    std::vector<double> numbers;
    std::size_t begin = 0;
    while (begin <= text.size())
    {
        const std::size_t comma = text.find(',', begin);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        numbers.push_back(reader.Number(text.substr(begin, end - begin), low, high));
        begin = end + 1;
    }
    return numbers;
}

void ReadInstrument(const Reader& reader, const std::vector<std::string>& words, Score& score)
{
    if (words.size() < 2)
        reader.Fail("an instrument needs a name");
    Instrument instrument;
    for (std::size_t i = 2; i < words.size(); ++i)
    {
        std::string key;
        std::string value;
        if (!Setting(words[i], key, value))
            reader.Fail("'" + words[i] + "' is not a setting (key=value)");
        if (key == "wave")
            instrument.wave = WaveNamed(reader, value);
        else if (key == "attack")
            instrument.attack = reader.Number(value, 0.0, 30.0);
        else if (key == "decay")
            instrument.decay = reader.Number(value, 0.0, 30.0);
        else if (key == "sustain")
            instrument.sustain = reader.Number(value, 0.0, 1.0);
        else if (key == "release")
            instrument.release = reader.Number(value, 0.0, 30.0);
        else if (key == "volume")
            instrument.volume = reader.Number(value, 0.0, 4.0);
        else if (key == "harmonics")
            instrument.harmonics = NumberList(reader, value, 0.0, 4.0);
        else if (key == "slide")
            instrument.slide = reader.Number(value, -48.0, 48.0);
        else if (key == "vibrato")
        {
            const std::vector<double> vibrato = NumberList(reader, value, 0.0, 100.0);
            if (vibrato.size() != 2)
                reader.Fail("vibrato is a rate and a depth: vibrato=5,0.2");
            instrument.vibratoRate = vibrato[0];
            instrument.vibratoDepth = vibrato[1];
        }
        else if (key == "lowpass")
            instrument.lowpass = reader.Number(value, 1.0, 100000.0);
        else if (key == "duty")
            instrument.duty = reader.Number(value, 0.01, 0.99);
        else
            reader.Fail("unknown instrument setting '" + key + "'");
    }
    if (!score.instruments.emplace(words[1], instrument).second)
        reader.Fail("instrument '" + words[1] + "' is defined twice");
}

void ReadPartHeader(const Reader& reader, const std::vector<std::string>& words, Score& score)
{
    if (words.size() < 2)
        reader.Fail("a part names its instrument");
    if (!score.instruments.count(words[1]))
        reader.Fail("part of unknown instrument '" + words[1] + "' (define it above the part)");
    Part part;
    part.instrument = words[1];
    for (std::size_t i = 2; i < words.size(); ++i)
    {
        std::string key;
        std::string value;
        if (!Setting(words[i], key, value) || key != "volume")
            reader.Fail("a part takes only volume=");
        part.volume = reader.Number(value, 0.0, 4.0);
    }
    score.parts.push_back(part);
}

// Puts blanks around the repeat brackets so they come as words of their own.
std::string SpacedBrackets(const std::string& line)
{
    std::string spaced;
    for (char c : line)
    {
        if (c == '(' || c == ')')
            spaced += ' ';
        spaced += c;
        if (c == '(')
            spaced += ' ';
    }
    return spaced;
}

class NoteReader
{
public:
    NoteReader(const Reader& reader, Part& part) : mReader(reader), mPart(part) {}

    void ReadLine(const std::string& line)
    {
        for (const std::string& word : Words(SpacedBrackets(line)))
        {
            if (word == "|")
                continue;
            if (word == "(")
                mGroups.push_back({mPart.notes.size(), mPart.length});
            else if (word[0] == ')')
                CloseGroup(word);
            else
                AddNote(word);
        }
    }

    void Finish() const
    {
        if (!mGroups.empty())
            mReader.Fail("a '(' of part '" + mPart.instrument + "' is never closed");
    }

private:
    struct Group
    {
        std::size_t firstNote;
        double start;
    };

    void CloseGroup(const std::string& word)
    {
        if (mGroups.empty())
            mReader.Fail("')' without '('");
        if (word.size() < 3 || word[1] != 'x')
            mReader.Fail("a repeat ends with ')xN', not '" + word + "'");
        const int times = static_cast<int>(mReader.Number(word.substr(2), 1, 1000));
        const Group group = mGroups.back();
        mGroups.pop_back();
        const std::vector<Note> once(mPart.notes.begin() + std::ptrdiff_t(group.firstNote), mPart.notes.end());
        const double span = mPart.length - group.start;
        for (int i = 1; i < times; ++i)
            for (Note note : once)
            {
                note.start += span * i;
                mPart.notes.push_back(note);
            }
        mPart.length += span * (times - 1);
    }

    void AddNote(const std::string& word)
    {
        const std::size_t slash = word.find('/');
        if (slash == std::string::npos)
            mReader.Fail("'" + word + "' has no length: write it as C4/1");
        Note note;
        note.start = mPart.length;
        note.length = mReader.Number(word.substr(slash + 1), 0.001, 10000.0);
        const std::string pitches = word.substr(0, slash);
        if (pitches != "r")
        {
            std::size_t begin = 0;
            while (begin <= pitches.size())
            {
                const std::size_t plus = pitches.find('+', begin);
                const std::size_t end = plus == std::string::npos ? pitches.size() : plus;
                double frequency = 0.0;
                const std::string name = pitches.substr(begin, end - begin);
                if (!NoteFrequency(name, frequency))
                    mReader.Fail("'" + name + "' is not a note (C4, F#3, Bb5) or a rest (r)");
                note.frequencies.push_back(frequency);
                begin = end + 1;
            }
            mPart.notes.push_back(note);
        }
        mPart.length += note.length;
    }

    const Reader& mReader;
    Part& mPart;
    std::vector<Group> mGroups;
};
} // namespace

bool NoteFrequency(const std::string& name, double& frequency)
{
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        return false;
    int semitone = kSemitones[name[0] - 'A'];
    std::size_t at = 1;
    if (name[at] == '#')
        ++semitone, ++at;
    else if (name[at] == 'b')
        --semitone, ++at;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8')
        return false;
    const int midi = 12 * (name[at] - '0' + 1) + semitone;
    frequency = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
}

Score ParseScore(const std::string& text, const std::string& name)
{
    Reader reader(name);
    Score score;
    std::istringstream lines(text);
    std::string line;
    std::unique_ptr<NoteReader> notes;
    int number = 0;
    while (std::getline(lines, line))
    {
        reader.SetLine(++number);
        const std::size_t hash = line.find('#');
        // '#' also writes sharps: only a '#' at the start of a word begins a comment.
        if (hash != std::string::npos && (hash == 0 || line[hash - 1] == ' ' || line[hash - 1] == '\t'))
            line.erase(hash);
        const std::vector<std::string> words = Words(line);
        if (words.empty())
            continue;
        const std::string& keyword = words[0];
        if (keyword == "tempo" || keyword == "rate")
        {
            if (words.size() != 2)
                reader.Fail(keyword + " takes one number");
            if (keyword == "tempo")
                score.tempo = reader.Number(words[1], 10.0, 1000.0);
            else
                score.rate = static_cast<int>(reader.Number(words[1], 8000.0, 96000.0));
        }
        else if (keyword == "loop")
            score.loop = true;
        else if (keyword == "instrument")
            ReadInstrument(reader, words, score);
        else if (keyword == "part")
        {
            if (notes)
                notes->Finish();
            ReadPartHeader(reader, words, score);
            notes = std::make_unique<NoteReader>(reader, score.parts.back());
        }
        else if (notes)
            notes->ReadLine(line);
        else
            reader.Fail("'" + keyword +
                        "' is not a keyword (tempo, rate, loop, instrument, part) and no part has begun");
    }
    if (notes)
        notes->Finish();
    if (score.parts.empty())
        reader.Fail("the score has no part");
    return score;
}

Score ReadScore(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read");
    std::ostringstream text;
    text << file.rdbuf();
    return ParseScore(text.str(), path);
}
} // namespace Corvane::SoundBuild
