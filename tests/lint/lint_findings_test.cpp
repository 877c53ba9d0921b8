// The profile checker on the shipped samples with one fault each: the
// finding on the faulty line, exactly, and no error anywhere else.
#include "profile_lint.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "profile_mutations.h"
#include "support/profile_files.h"

namespace {

std::wstring SamplePath(const wchar_t* name)
{
    wchar_t source[MAX_PATH] = {};
    GetEnvironmentVariableW(L"MARTENUI_SOURCE_DIR", source, MAX_PATH);
    return std::wstring(L"Z:") + source + L"/profiles/" + name;
}

// The 1-based line of the first line holding `text`.
int LineOf(const std::wstring& profile, const std::wstring& text)
{
    const size_t at = profile.find(text);
    if (at == std::wstring::npos)
        return 0;
    int line = 1;
    for (size_t i = 0; i < at; ++i)
        line += profile[i] == L'\n';
    return line;
}

// "{TEXT}" in an expected finding stands for the line number of TEXT.
std::wstring WithLines(std::wstring expected, const std::wstring& profile)
{
    for (size_t open; (open = expected.find(L'{')) != std::wstring::npos;) {
        const size_t close = expected.find(L'}', open);
        expected.replace(open, close - open + 1, std::to_wstring(LineOf(profile, expected.substr(open + 1, close - open - 1))));
    }
    return expected;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

enum class Encoding { kShipped, kAnsi };

struct BadProfile {
    const wchar_t* sample;
    const wchar_t* find;       // replaced in the sample's text ...
    const wchar_t* replace;    // ... by this (\r\n between lines)
    const wchar_t* at;         // the finding's line: the first holding this text
    const wchar_t* expected;   // the findings on that line, one per \n; "" for none
    Encoding encoding;
};

const BadProfile kBadProfiles[] = {
    // Numbers at and beyond their limits.
    {L"Kolb6v2.ini", L"MEMORY=3", L"MEMORY=4", L"MEMORY=", L"", Encoding::kShipped},
    {L"Kolb6v2.ini", L"MEMORY=3", L"MEMORY=5", L"MEMORY=",
     L"error: [MemorySet] MEMORY: 5 is out of range; the driver uses 2 instead", Encoding::kShipped},
    {L"Kolb6v2.ini", L"MEMORY=3", L"MEMORY=0", L"MEMORY=",
     L"error: [MemorySet] MEMORY: 0 is out of range; the driver uses 2 instead", Encoding::kShipped},
    {L"Kolb6v2.ini", L"LOGNO=2", L"LOGNO=-1", L"LOGNO=",
     L"error: [Martenx] LOGNO: -1 is out of range; the driver uses 1 instead", Encoding::kShipped},
    {L"Kolb6v2.ini", L"SUPPORTCOLORS=256", L"SUPPORTCOLORS=257", L"SUPPORTCOLORS=",
     L"error: [Marten3] SUPPORTCOLORS: 257 is out of range; the driver uses 2 instead", Encoding::kShipped},
    {L"Kolb6v2.ini", L"PAPERDEF=9", L"PAPERDEF=65545", L"PAPERDEF=",
     L"error: [Marten3] PAPERDEF: 65545 is out of range; the driver uses 9 instead", Encoding::kShipped},
    {L"Kolb6v2.ini", L"PAPERDEF=9", L"PAPERDEF=09", L"PAPERDEF=",
     L"error: [Marten3] PAPERDEF: \"09\" is not a plain decimal number; the driver reads it as 9", Encoding::kShipped},
    // Tray counts: DEFNUMBER up to MAXSET, MAXSET up to 4.
    {L"Kolb6v2.ini", L"DEFNUMBER=2", L"DEFNUMBER=4", L"DEFNUMBER=", L"", Encoding::kShipped},
    {L"Kolb6v2.ini", L"DEFNUMBER=2", L"DEFNUMBER=5", L"DEFNUMBER=",
     L"error: [PaperSource] DEFNUMBER: 5 is out of range; the driver uses 2 instead", Encoding::kShipped},
    {L"Kolb6v2.ini", L"MAXSET=4", L"MAXSET=5", L"MAXSET=",
     L"error: [PaperSource] MAXSET: 5 is out of range; the driver uses 2 instead", Encoding::kShipped},
    // Texts at and beyond their fields: 15 characters, 31 bytes.
    {L"Kolb6v2.ini", L"VERSION1=4.11", L"VERSION1=4.11.2222.3333.", L"VERSION1=", L"", Encoding::kShipped},
    {L"Kolb6v2.ini", L"VERSION1=4.11", L"VERSION1=4.11.2222.3333.4", L"VERSION1=",
     L"error: [About] VERSION1: the text is cut after 15 of its 16 characters; the driver keeps \"4.11.2222.3333.\"",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"CMDNAME=@PJL SET STAPLE", L"CMDNAME=@PJL SET STAPLE AND 123456789AB", L"STAPLE AND", L"",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"CMDNAME=@PJL SET STAPLE", L"CMDNAME=@PJL SET STAPLE AND 123456789ABC", L"STAPLE AND",
     L"error: [Staple] CMDNAME: the text is cut after 31 of its 32 characters; the driver keeps "
     L"\"@PJL SET STAPLE AND 123456789AB\"",
     Encoding::kShipped},
    // PJL command names and parameters reach the printer as they are.
    {L"Kolb6v2.ini", L"CMDNAME=@PJL SET DUPLEX", L"CMDNAME=", L"CMDNAME=\r\nPARA0=OFF\r\nPARA1=LONG",
     L"error: [Duplex] CMDNAME: the command name is empty: the PJL header gets lines that begin with \"=\"",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"CMDNAME=@PJL SET DUPLEX", L"CMDNAME=\"\"", L"CMDNAME=\"\"",
     L"error: [Duplex] CMDNAME: the driver reads it as \"\" (the quotes around the value are dropped)\n"
     L"error: [Duplex] CMDNAME: the command name is empty: the PJL header gets lines that begin with \"=\"",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"CMDNAME=@PJL SET STAPLE", L"CMDNAME=@PJL SET\tSTAPLE", L"SET\tSTAPLE",
     L"error: [Staple] CMDNAME: the command name holds \"\\x09\", which reaches the PJL header as it is; use only ASCII "
     L"letters, digits, blanks and @",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"CMDNAME=@PJL SET STAPLE", L"CMDNAME=@PJL SET STAPLE=ON", L"STAPLE=ON",
     L"error: [Staple] CMDNAME: the command name holds \"=\", which reaches the PJL header as it is; use only ASCII "
     L"letters, digits, blanks and @",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"PARA1=LEFTTOP", L"PARA1=LEFT\"TOP", L"PARA1=",
     L"error: [Staple] PARA1: the parameter holds a quote, which reaches the PJL header as it is; use only ASCII "
     L"letters, digits, blanks and @",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"CMDNAME=@PJL SET DUPLEX\r\n", L"", L"[Duplex]",
     L"error: [Duplex] CMDNAME: missing, and the PJL header uses it: the header gets an empty text in its place",
     Encoding::kShipped},
    // Papers.
    {L"Kolb6v2.ini", L"A5=1,0,0,A5", L"A5=1,0,0,A5\r\nA6=1,0,0,A6", L"A6=",
     L"error: [PaperSize] A6: not a paper keyword of driver variant 2's paper table; the driver ignores the line",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"A5=1,0,0,A5", L"A5=1,0,0", L"A5=",
     L"error: [PaperSize] A5: the driver reads offered 1, rotatable 0, two-sided 0, printer name \"0\"; write three "
     L"digits 0 or 1 and the name, separated by commas",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"KAKU2=1,0,0,JENVKAKU2", L"KAKU2=1,0,0,JENVKAKU2EXTRA", L"KAKU2=", L"", Encoding::kShipped},
    {L"Kolb6v2.ini", L"KAKU2=1,0,0,JENVKAKU2", L"KAKU2=1,0,0,JENVKAKU2EXTRAL", L"KAKU2=", L"", Encoding::kShipped},
    {L"Kolb6v2.ini", L"KAKU2=1,0,0,JENVKAKU2", L"KAKU2=1,0,0,JENVKAKU2EXTRALO", L"KAKU2=",
     L"error: [PaperSize] KAKU2: the driver reads offered 1, rotatable 0, two-sided 0, printer name "
     L"\"JENVKAKU2EXTRAL\" (the name is cut to 15 bytes); write three digits 0 or 1 and the name, separated by commas",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"POSTCARD=A4,B5,A5,POSTCARD", L"POSTCARD=A4,b5,A5,POSTCARD,LETTER,INVOICE", L"POSTCARD=A4,b5",
     L"error: [ZoomPaper0] POSTCARD: the driver ignores \"b5\" (not spelled exactly B5), \"LETTER\" (not a paper of "
     L"this locale area's table), \"INVOICE\" (not offered in [PaperSize]); targets used: A4, A5, POSTCARD",
     Encoding::kShipped},
    // Keys given twice, unknown and ignored lines, missing keys.
    {L"Kolb6v2.ini", L"MEMORY=3", L"MEMORY=3\r\nMEMORY=4", L"MEMORY=4",
     L"error: [MemorySet] MEMORY: given again; the driver uses line {MEMORY=3} (\"3\") and ignores this one",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"[Quality]", L"[memoryset]\r\nMEMORY=4\r\n[Quality]", L"[memoryset]",
     L"error: [memoryset]: the section is given again (first at line {[MemorySet]}); the driver reads only the first, "
     L"so every key here is ignored",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"[Quality]", L"[Colour]\r\nMODE=1\r\n[Quality]", L"[Colour]",
     L"warning: [Colour]: unknown section; the driver never reads it", Encoding::kShipped},
    {L"Kolb6v2.ini", L"CONTROL=1", L"CONTROL=1\r\nSPEED=40", L"SPEED=",
     L"warning: [Martenx] SPEED: unknown key; the driver ignores it", Encoding::kShipped},
    {L"Kolb6v1.ini", L"", L"", L"DEFNUMBER=",
     L"warning: [PaperSource] DEFNUMBER: ignored: the driver does not read this key for driver variant 1, locale area 3",
     Encoding::kShipped},
    {L"Kolb6v2.ini", L"MEMORY=3\r\n", L"", L"[MemorySet]", L"note: [MemorySet] MEMORY: missing; the driver uses 2",
     Encoding::kShipped},
    // The file's encoding, where it changes what is read.
    {L"Kolb6v2.ini", L"", L"", L"; Model profile",
     L"warning: the file is 8-bit text without a byte-order mark, not UTF-16LE with a byte-order mark; it holds only "
     L"ASCII and so reads the same, but ship it as UTF-16LE",
     Encoding::kAnsi},
};

TEST(ProfileLint, EachBadProfileGivesExactlyItsFinding)
{
    int number = 0;
    for (const BadProfile& bad : kBadProfiles) {
        std::wstring text = SampleText(SamplePath(bad.sample));
        if (bad.find[0]) {
            const size_t at = text.find(bad.find);
            ASSERT_NE(at, std::wstring::npos) << Narrow(bad.find);
            text.replace(at, wcslen(bad.find), bad.replace);
        }
        const int line = LineOf(text, bad.at);
        ASSERT_GT(line, 0) << Narrow(bad.at);
        const std::wstring path = ScratchDir() + L"\\bad" + std::to_wstring(++number) + L".ini";
        if (bad.encoding == Encoding::kAnsi)
            WriteBytes(path, Narrow(text));
        else
            WriteProfile(path, text, nullptr);

        LintReport report;
        std::wstring error;
        ASSERT_TRUE(LintProfile(path, &report, &error)) << Narrow(error);
        std::wstring onLine;
        std::wstring elsewhere;
        for (const LintFinding& finding : report.findings) {
            if (finding.line == line)
                onLine += (onLine.empty() ? L"" : L"\n") + FindingText(finding);
            else if (finding.severity == LintSeverity::kError)
                elsewhere += L"\n  " + std::to_wstring(finding.line) + L": " + FindingText(finding);
        }
        EXPECT_EQ(Narrow(WithLines(bad.expected, text)), Narrow(onLine))
            << Narrow(bad.sample) << " with " << Narrow(bad.replace) << ", line " << line;
        EXPECT_EQ("", Narrow(elsewhere)) << "errors on other lines, " << Narrow(bad.sample) << " with "
                                         << Narrow(bad.replace);
    }
}

TEST(ProfileLint, AFileThatCannotBeReadIsNoProfile)
{
    LintReport report;
    std::wstring error;
    EXPECT_FALSE(LintProfile(ScratchDir() + L"\\no such profile.ini", &report, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
