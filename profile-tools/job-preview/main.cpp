// job-preview PROFILE [CHOICE=VALUE ...] [--installed OPTION=VALUE ...]
//             [--job-name TEXT] [--save FILE] [--save-record FILE] [--json]: what this driver sends a printer
//             of the model for these choices.
// job-preview PROFILE --record FILE [--installed OPTION=VALUE ...] [--json]:
//             the same for a saved device-mode record, with the fields the
//             driver does not take as stored (exit status 1 when any).
// job-preview PROFILE --decode JOB.prn [--json]: the settings a captured
//             job's PJL header carries for the model.
// --save writes the header's bytes to FILE, --save-record the whole record. --label names the profile in the output. Exit status: 0, 1 when a decoded
// header has flagged lines, 2 for bad input (nothing is printed on stdout).
#include <windows.h>

#include <cstdio>
#include <string>

#include "../tool_text/tool_text.h"
#include "header_decode.h"
#include "job/job_settings_file.h"
#include "job/pjl_header.h"
#include "job_preview.h"

namespace {

constexpr int kJobNameBytes = 64;
constexpr int kJobNameBytesWithSuffix = 58;

// A PJL text with its line ends shown as \r and \n.
std::string Shown(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char hex[8];
            snprintf(hex, sizeof(hex), "\\x%02x", static_cast<unsigned char>(c));
            out += hex;
        } else
            out += c;
    }
    return out;
}

std::string JobNameLine(const std::wstring& name, const PreviewResult& r)
{
    const DeviceOptionData& o = r.installed;
    int16_t bin = r.record.outputBin;
    if (!IsOutputBinValid(bin, o.innerTray, o.outerTray, o.finisher))
        bin = 0;
    const bool suffix = o.finisher && bin == 3 && (r.record.staple || r.record.shift);
    char text[kJobNameBytes + 1];
    ConvertDocumentName(text, name.c_str(), suffix ? kJobNameBytesWithSuffix : kJobNameBytes);
    // The suffix is drawn at random when the document starts.
    return std::string("@PJL SET JOBNAME=\"") + text + (suffix ? "?NNNNN" : "") + "\"\r\n";
}

// `choices`: the report of asked choices, with the overridden ones.
void PrintPreview(const std::wstring& label, const PreviewResult& r, const std::wstring* jobName, bool json,
                  bool choices = true)
{
    const auto fields = RecordFields(r.record);
    if (json) {
        printf("{\"profile\":%s,\"fields\":{", Json(Utf8(label)).c_str());
        for (size_t i = 0; i < fields.size(); ++i)
            printf("%s%s:%s", i ? "," : "", Json(fields[i].first).c_str(),
                   fields[i].second.compare(0, 2, "0x") == 0 ? Json(fields[i].second).c_str() : fields[i].second.c_str());
        printf("},\"header\":[");
        for (size_t i = 0; i < r.header.size(); ++i)
            printf("%s{\"text\":%s,\"choice\":%s,\"value\":%s}", i ? "," : "", Json(r.header[i].text).c_str(),
                   Json(Utf8(r.header[i].choice)).c_str(), Json(Utf8(r.header[i].value)).c_str());
        printf("],\"trailer\":%s", Json(r.record.pjlTrailer).c_str());
        if (jobName)
            printf(",\"jobName\":%s", Json(JobNameLine(*jobName, r)).c_str());
        if (!choices) {
            printf("}\n");
            return;
        }
        printf(",\"overrides\":[");
        for (size_t i = 0; i < r.overrides.size(); ++i)
            printf("%s{\"choice\":%s,\"asked\":%s,\"used\":%s,\"reason\":%s}", i ? "," : "",
                   Json(Utf8(r.overrides[i].choice)).c_str(), Json(Utf8(r.overrides[i].asked)).c_str(),
                   Json(Utf8(r.overrides[i].used)).c_str(), Json(Utf8(r.overrides[i].reason)).c_str());
        printf("]}\n");
        return;
    }
    printf("%s: the device mode\n", Utf8(label).c_str());
    for (const auto& field : fields)
        printf("  %-20s %s\n", field.first.c_str(), field.second.c_str());
    printf("PJL header\n");
    for (const PreviewLine& line : r.header)
        printf("  %-40s %s\n", Shown(line.text).c_str(),
               line.choice.empty() ? "" : Utf8(line.choice + L": " + line.value).c_str());
    printf("PJL trailer\n  %s\n", Shown(r.record.pjlTrailer).c_str());
    if (jobName)
        printf("Job-settings file\n  %s\n", Shown(JobNameLine(*jobName, r)).c_str());
    if (!choices)
        return;
    printf("Overridden choices\n");
    if (r.overrides.empty())
        printf("  none\n");
    for (const PreviewOverride& o : r.overrides)
        printf("  %s: %s, because %s (asked %s)\n", Utf8(o.choice).c_str(), Utf8(o.used).c_str(),
               Utf8(o.reason).c_str(), Utf8(o.asked).c_str());
}

void PrintFindings(const std::wstring& label, const std::vector<RecordFinding>& findings, bool json)
{
    if (json) {
        printf("{\"record\":%s,\"notTaken\":[", Json(Utf8(label)).c_str());
        for (size_t i = 0; i < findings.size(); ++i)
            printf("%s{\"field\":%s,\"stored\":%s,\"used\":%s}", i ? "," : "", Json(findings[i].field).c_str(),
                   Json(findings[i].stored).c_str(), Json(findings[i].used).c_str());
        printf("]}\n");
        return;
    }
    printf("%s: fields the driver does not take as stored\n", Utf8(label).c_str());
    if (findings.empty())
        printf("  none\n");
    for (const RecordFinding& f : findings)
        printf("  %-20s %s, the driver uses %s\n", f.field.c_str(), f.stored.c_str(), f.used.c_str());
}

void PrintDecoded(const std::wstring& label, const DecodedHeader& d, bool json)
{
    if (json) {
        printf("{\"job\":%s,\"lines\":[", Json(Utf8(label)).c_str());
        bool first = true;
        for (const DecodedLine& line : d.lines) {
            if (line.number == 0)
                continue;
            printf("%s{\"line\":%d,\"text\":%s,\"choice\":%s,\"value\":%s,\"flag\":%s}", first ? "" : ",", line.number,
                   Json(line.text).c_str(), Json(Utf8(line.choice)).c_str(), Json(Utf8(line.value)).c_str(),
                   Json(Utf8(line.flag)).c_str());
            first = false;
        }
        printf("],\"problems\":[");
        for (size_t i = 0; i < d.problems.size(); ++i)
            printf("%s%s", i ? "," : "", Json(Utf8(d.problems[i])).c_str());
        printf("],\"choices\":[");
        const auto choices = d.Choices();
        for (size_t i = 0; i < choices.size(); ++i)
            printf("%s%s", i ? "," : "", Json(Utf8(choices[i])).c_str());
        printf("]}\n");
        return;
    }
    for (const DecodedLine& line : d.lines) {
        if (line.number == 0)
            continue;
        std::string note = line.choice.empty() ? "" : Utf8(line.choice + L": " + line.value);
        if (!line.flag.empty())
            note = "flagged: " + Utf8(line.flag);
        printf("%s:%d: %-36s %s\n", Utf8(label).c_str(), line.number, line.text.c_str(), note.c_str());
    }
    for (const std::wstring& problem : d.problems)
        printf("%s: flagged: %s\n", Utf8(label).c_str(), Utf8(problem).c_str());
    std::wstring choices;
    for (const std::wstring& choice : d.Choices())
        choices += L" " + choice;
    printf("%s: choices:%s\n", Utf8(label).c_str(), Utf8(choices).c_str());
}

bool ReadWholeFile(const std::wstring& path, std::string* bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    DWORD read = 0;
    bool ok = true;
    // The header is at the start; a megabyte holds any header.
    while (bytes->size() < (1u << 20) && (ok = ReadFile(file, buffer, sizeof(buffer), &read, nullptr)) && read)
        bytes->append(buffer, read);
    CloseHandle(file);
    return ok;
}

// The header's bytes as the printer gets them (for --decode to read back),
// or the whole record (for --record).
bool SaveBytes(const std::wstring& path, const void* bytes, DWORD length)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes, length, &written, nullptr) && written == length;
    CloseHandle(file);
    return ok;
}

int Fail(const std::wstring& where, const std::wstring& message)
{
    fprintf(stderr, "job-preview: %s: %s\n", Utf8(where).c_str(), Utf8(message).c_str());
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    bool json = false;
    bool installedMode = false;
    std::wstring profilePath, label, decodePath, decodeLabel, jobName, savePath, saveRecordPath, recordPath, recordLabel;
    bool haveJobName = false;
    std::vector<std::wstring> choices, installed;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasNext = i + 1 < argc;
        if (arg == L"--json")
            json = true;
        else if (arg == L"--label" && hasNext)
            label = argv[++i];
        else if (arg == L"--decode-label" && hasNext)
            decodeLabel = argv[++i];
        else if (arg == L"--decode" && hasNext)
            decodePath = argv[++i];
        else if (arg == L"--record" && hasNext)
            recordPath = argv[++i];
        else if (arg == L"--record-label" && hasNext)
            recordLabel = argv[++i];
        else if (arg == L"--save-record" && hasNext)
            saveRecordPath = argv[++i];
        else if (arg == L"--save" && hasNext)
            savePath = argv[++i];
        else if (arg == L"--job-name" && hasNext) {
            jobName = argv[++i];
            haveJobName = true;
        } else if (arg == L"--installed")
            installedMode = true;
        else if (arg.compare(0, 2, L"--") == 0)
            return Fail(arg, L"unknown option; see profile-tools/job-preview/job-preview --help");
        else if (profilePath.empty())
            profilePath = arg;
        else
            (installedMode ? installed : choices).push_back(arg);
    }
    if (profilePath.empty()) {
        fprintf(stderr, "usage: job-preview PROFILE.ini [CHOICE=VALUE ...] [--installed OPTION=VALUE ...] "
                        "[--job-name TEXT] [--save FILE] [--save-record FILE] [--json]\n       job-preview PROFILE.ini --record FILE "
                        "[--installed OPTION=VALUE ...] [--json]\n       job-preview PROFILE.ini --decode JOB.prn [--json]\n");
        return 2;
    }
    if (label.empty())
        label = profilePath;
    std::wstring error;
    PreviewModel model;
    if (!ReadPreviewModel(profilePath, &model, &error))
        return Fail(label, error);

    if (!decodePath.empty()) {
        if (decodeLabel.empty())
            decodeLabel = decodePath;
        std::string job;
        if (!ReadWholeFile(decodePath, &job))
            return Fail(decodeLabel, L"cannot read the job");
        DecodedHeader decoded;
        if (!DecodeJobHeader(model, job, &decoded, &error))
            return Fail(decodeLabel, error);
        PrintDecoded(decodeLabel, decoded, json);
        fflush(stdout);
        return decoded.flagged() ? 1 : 0;
    }

    if (!recordPath.empty()) {
        if (recordLabel.empty())
            recordLabel = recordPath;
        std::string bytes;
        if (!choices.empty())
            return Fail(choices[0], L"a saved record carries its own choices; only --installed options go with --record");
        if (!ReadWholeFile(recordPath, &bytes))
            return Fail(recordLabel, L"cannot read the record");
        PreviewResult result;
        std::vector<RecordFinding> findings;
        if (!PreviewRecord(model, bytes, installed, &result, &findings, &error))
            return Fail(recordLabel, error);
        PrintFindings(recordLabel, findings, json);
        PrintPreview(label, result, nullptr, json, false);
        fflush(stdout);
        return findings.empty() ? 0 : 1;
    }

    PreviewResult result;
    if (!BuildPreview(model, choices, installed, &result, &error))
        return Fail(label, error);
    if (!savePath.empty() && !SaveBytes(savePath, result.record.pjlHeader, lstrlenA(result.record.pjlHeader)))
        return Fail(savePath, L"cannot write the header");
    if (!saveRecordPath.empty() && !SaveBytes(saveRecordPath, &result.record, sizeof(result.record)))
        return Fail(saveRecordPath, L"cannot write the record");
    PrintPreview(label, result, haveJobName ? &jobName : nullptr, json);
    fflush(stdout);
    return 0;
}
