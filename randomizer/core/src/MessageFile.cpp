// TfmZephrix: picking a random message from the message text file.
#include "platform/FileSystem.h"
#include "platform/ProfileFile.h"
#include "platform/Stream.h"
#include "platform/TextEncoding.h"
#include "randomizer/MainForm.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace zephrix {
namespace {

constexpr const char* kCrLf = "\r\n";

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Upper(std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The file's lines as a string list reads them; reading past the end is the list's error.
class TLineList {
public:
    explicit TLineList(const std::string& fileName) {
        platform::TFileStream in(fileName, platform::TFileStream::TMode::OpenRead);
        std::string bytes(std::size_t(in.Size()), '\0');
        bytes.resize(in.Read(bytes.data(), bytes.size()));
        std::string text = platform::DecodeText(bytes);
        text.resize(std::min(text.size(), text.find('\0'))); // a NUL ends the text
        FLines = platform::SplitLines(text);
    }
    std::size_t Count() const { return FLines.size(); }
    const std::string& operator[](std::size_t i) const {
        if (i >= FLines.size())
            throw std::out_of_range("List index out of bounds (" + std::to_string(i) + ")");
        return FLines[i];
    }
    std::ptrdiff_t IndexOfText(std::string_view text) const {
        const auto it = std::find_if(FLines.begin(), FLines.end(),
                                     [&](const std::string& l) { return SameText(l, text); });
        return it == FLines.end() ? -1 : it - FLines.begin();
    }

private:
    std::vector<std::string> FLines;
};

bool StartsWith(const std::string& line, std::string_view prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

std::string TfmZephrix::ReadDescription(const std::string& FileName) const {
    return platform::TIniFile(FileName).ReadString("Header", "Description", "");
}

void TfmZephrix::ReadMessage(const std::string& FileName, std::vector<std::string>& Lines,
                             bool StripPrefixes) {
    Lines.clear();
    if (!platform::FileExists(FileName)) return;
    const std::string format = Upper(platform::TIniFile(FileName).ReadString("Header", "Format", ""));
    if (format.empty()) return;
    const TLineList file(FileName);
    const std::ptrdiff_t marker = file.IndexOfText("[Data]");
    if (marker < 0) return;
    const std::size_t first = std::size_t(marker) + 1; // first data line
    TRandomSource& random = *FServices.Random;

    if (format == "SINGLE") {
        const std::size_t n = file.Count() - first;
        auto acceptable = [](const std::string& line) { return !line.empty() && line.front() != ';'; };
        // Data lines that are all empty or comments would make the draw below go on for ever.
        bool any = false;
        for (std::size_t i = first; i < file.Count() && !any; ++i) any = acceptable(file[i]);
        if (!any && n > 0) return;
        std::string line;
        do {
            line = file[first + (n > 0 ? random.Next(std::uint32_t(n)) : 0)];
        } while (!acceptable(line));
        Lines.push_back(line);
    } else if (format == "Q&A") {
        std::vector<std::size_t> questions;
        for (std::size_t i = first; i < file.Count(); ++i)
            if (StartsWith(file[i], "Q: ")) questions.push_back(i);
        const std::size_t pick = questions.empty() ? 0 : random.Next(std::uint32_t(questions.size()));
        if (pick >= questions.size())
            throw std::out_of_range("List index out of bounds (" + std::to_string(pick) + ")");
        std::size_t q = questions[pick];
        Lines.push_back(StripPrefixes ? file[q].substr(3) : file[q]);
        while (q + 1 < file.Count() && StartsWith(file[q + 1], "A: ")) {
            ++q;
            Lines.push_back(StripPrefixes ? file[q].substr(3) : file[q]);
        }
        if (Lines.size() == 1 && !HeaderDescription.empty())
            Lines.push_back(StripPrefixes ? HeaderDescription : "A: " + HeaderDescription);
    } else if (format == "ML") {
        std::vector<std::size_t> starts;
        for (std::size_t i = first; i < file.Count(); ++i)
            if (SameText(file[i], "<START>")) starts.push_back(i);
        const std::size_t pick = starts.empty() ? 0 : random.Next(std::uint32_t(starts.size()));
        if (pick >= starts.size())
            throw std::out_of_range("List index out of bounds (" + std::to_string(pick) + ")");
        std::size_t line = starts[pick] + 1;
        Lines.push_back(file[line]);
        for (++line; line != file.Count() - 1 && !SameText(file[line], "<END>"); ++line)
            Lines.push_back(file[line]);
    }
}

void TfmZephrix::PickMessage() {
    FServices.Random->Reseed();
    FirstDefault = edFirst.Text();
    LastDefault = edLast.Text();
    FirstText = FirstDefault;
    LastText = LastDefault;
    if (!platform::FileExists(TextFile)) return;
    HeaderDescription = ReadDescription(TextFile);
    std::vector<std::string> lines;
    ReadMessage(TextFile, lines, true);
    if (lines.size() == 1) {
        if (!HeaderDescription.empty()) FirstText = HeaderDescription;
        LastText = lines[0];
    } else if (lines.size() >= 2) {
        FirstText = lines[0];
        LastText = lines[1];
        for (std::size_t i = 2; i < lines.size(); ++i) LastText += kCrLf + lines[i];
    }
    Edit1.SetText(FirstText);
    Memo1.SetText(LastText);
}

} // namespace zephrix
