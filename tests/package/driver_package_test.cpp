// The driver package's INF, read with the platform's INF parser, names the
// files the build produces and ships, under the names the driver looks for.
#include <windows.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "profile/model_profile.h"
#include "support/printer_bench.h"

namespace {

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), towlower);
    return text;
}

std::wstring Field(INFCONTEXT* line, DWORD index)
{
    WCHAR text[MAX_PATH] = {};
    if (!SetupGetStringFieldW(line, index, text, MAX_PATH, nullptr))
        return std::wstring();
    return text;
}

std::wstring Key(HINF inf, const wchar_t* section, const wchar_t* key)
{
    INFCONTEXT line;
    if (!SetupFindFirstLineW(inf, section, key, &line))
        return std::wstring();
    return Field(&line, 1);
}

struct CopiedFile {
    std::wstring target;
    std::wstring source;
};

// Every file of the CopyFiles sections of an install section.
std::vector<CopiedFile> CopiedFiles(HINF inf, const std::wstring& install)
{
    std::vector<CopiedFile> files;
    INFCONTEXT copy;
    if (!SetupFindFirstLineW(inf, install.c_str(), L"CopyFiles", &copy))
        return files;
    for (DWORD i = 1; i <= SetupGetFieldCount(&copy); ++i) {
        const std::wstring section = Field(&copy, i);
        INFCONTEXT line;
        if (!SetupFindFirstLineW(inf, section.c_str(), nullptr, &line))
            continue;
        do {
            CopiedFile file{Field(&line, 1), Field(&line, 2)};
            if (file.source.empty())
                file.source = file.target;
            files.push_back(file);
        } while (SetupFindNextLine(&line, &line));
    }
    return files;
}

// The driver variant each model of the package is built for.
int VariantOfModel(const std::wstring& model)
{
    const struct {
        const wchar_t* model;
        int variant;
    } models[] = {{L"Velofax QX-310", 1}, {L"Velofax QX-320 EP 6II", 2}, {L"Velofax QX-230", 3}};
    for (const auto& row : models) {
        if (model == row.model)
            return row.variant;
    }
    return 0;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class DriverPackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UINT errorLine = 0;
        inf_ = SetupOpenInfFileW((DriverFilesDir() + L"\\Kol6.inf").c_str(), nullptr, INF_STYLE_WIN4, &errorLine);
        ASSERT_NE(INVALID_HANDLE_VALUE, inf_) << "error " << GetLastError() << " at line " << errorLine;
    }
    void TearDown() override
    {
        if (inf_ != INVALID_HANDLE_VALUE)
            SetupCloseInfFile(inf_);
    }

    // The install sections of the models, by model name.
    std::vector<std::pair<std::wstring, std::wstring>> Models(const wchar_t* section)
    {
        std::vector<std::pair<std::wstring, std::wstring>> models;
        INFCONTEXT line;
        if (SetupFindFirstLineW(inf_, section, nullptr, &line)) {
            do {
                WCHAR name[MAX_PATH] = {};
                SetupGetStringFieldW(&line, 0, name, MAX_PATH, nullptr);
                models.emplace_back(name, Field(&line, 1));
            } while (SetupFindNextLine(&line, &line));
        }
        return models;
    }

    HINF inf_ = INVALID_HANDLE_VALUE;
};

}  // namespace

TEST_F(DriverPackageTest, EveryFileOfTheDiskIsProducedOrShipped)
{
    INFCONTEXT line;
    ASSERT_TRUE(SetupFindFirstLineW(inf_, L"SourceDisksFiles", nullptr, &line));
    int files = 0;
    do {
        WCHAR name[MAX_PATH] = {};
        ASSERT_TRUE(SetupGetStringFieldW(&line, 0, name, MAX_PATH, nullptr));
        EXPECT_TRUE(Exists(DriverFilesDir() + L"\\" + name)) << Narrow(name) << " is neither built nor shipped";
        ++files;
    } while (SetupFindNextLine(&line, &line));
    EXPECT_EQ(7, files);
}

TEST_F(DriverPackageTest, EachModelInstallsTheDriversFilesAndItsOwnProfile)
{
    for (const wchar_t* platform : {L"Velofax.NTamd64", L"Velofax.NTx86"}) {
        const auto models = Models(platform);
        ASSERT_EQ(3u, models.size()) << Narrow(platform);
        for (const auto& [model, install] : models) {
            SCOPED_TRACE(Narrow(model));
            EXPECT_EQ(L"Kol6umpd.dll", Key(inf_, install.c_str(), L"DriverFile"));
            EXPECT_EQ(L"MARTENUI.dll", Key(inf_, install.c_str(), L"ConfigFile"));
            EXPECT_EQ(L"Kol6g.hlp", Key(inf_, install.c_str(), L"HelpFile"));
            const std::wstring profile = Key(inf_, install.c_str(), L"DataFile");

            std::set<std::wstring> targets;
            std::vector<std::wstring> profiles;
            for (const CopiedFile& file : CopiedFiles(inf_, install)) {
                targets.insert(Lower(file.target));
                EXPECT_TRUE(Exists(DriverFilesDir() + L"\\" + file.source)) << Narrow(file.source);
                EXPECT_FALSE(Key(inf_, L"SourceDisksFiles", file.source.c_str()).empty())
                    << Narrow(file.source) << " is not on the disk";
                if (Lower(file.target).find(L".ini") != std::wstring::npos)
                    profiles.push_back(file.target);
            }
            for (const wchar_t* needed : {L"kol6umpd.dll", L"martenui.dll", L"kol6g.hlp"})
                EXPECT_EQ(1u, targets.count(needed)) << Narrow(needed);
            ASSERT_EQ(std::vector<std::wstring>{profile}, profiles) << "one profile per model";

            // The profile selects the driver variant of the model.
            ModelProfile parsed;
            ReadModelProfile((DriverFilesDir() + L"\\" + profile).c_str(), &parsed);
            EXPECT_EQ(VariantOfModel(model), parsed.driverVariant) << Narrow(profile);
        }
    }
}

TEST_F(DriverPackageTest, TheResourceLibraryIsTheOneDependentFileHoldingIDll)
{
    const auto models = Models(L"Velofax.NTamd64");
    ASSERT_FALSE(models.empty());
    const std::wstring& install = models.front().second;
    const std::wstring configFile = Lower(Key(inf_, install.c_str(), L"ConfigFile"));
    std::vector<CopiedFile> holders;
    for (const CopiedFile& file : CopiedFiles(inf_, install)) {
        if (Lower(file.target) != configFile && Lower(file.target).find(L"i.dll") != std::wstring::npos)
            holders.push_back(file);
    }
    ASSERT_EQ(1u, holders.size());
    EXPECT_EQ(L"Kol6gi.dll", holders[0].target);
    EXPECT_EQ(L"Kol6gi1.dll", holders[0].source);
}
