#include "job_report.h"

#include <winddiui.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "job/job_shared_block.h"
#include "report_text.h"
#include "settings/document_settings.h"

namespace {

std::string FileText(const WCHAR* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(no file)";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// The block as the rendering side sees it: page count and record.
void ReportBlock(HANDLE printer, const char* when)
{
    WCHAR name[16];
    JobSharedBlockName(printer, name);
    HANDLE section = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
    if (!section) {
        printf("  %-26s shared block \"%s\" is gone\n", when, Utf8(name).c_str());
        return;
    }
    const auto* block = static_cast<const BYTE*>(MapViewOfFile(section, FILE_MAP_READ, 0, 0, kJobSharedBlockBytes));
    if (block) {
        const auto* header = reinterpret_cast<const JobSharedBlockHeader*>(block);
        const auto* record = reinterpret_cast<const DocumentSettings*>(block + sizeof(JobSharedBlockHeader));
        printf("  %-26s shared block \"%s\": page count %u, record of %u + %u bytes, finalized %d\n", when,
               Utf8(name).c_str(), header->pageCount, record->dmSize, record->dmDriverExtra, record->renderFinalMark);
        UnmapViewOfFile(block);
    }
    CloseHandle(section);
}

// One line of text with its line end shown as \r and \n.
std::string ShownLine(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown;
}

}  // namespace

void RunPrintJob(const DriverEntryPoints& driver, HANDLE printer, const WCHAR* printerName, DEVMODEW* devMode,
                 const WCHAR* documentName, int pages)
{
    Heading("A print job (DrvDocumentEvent)");
    const HDC dc = reinterpret_cast<HDC>(0x5EED);
    auto event = [&](int code, ULONG size, void* input) {
        return driver.documentEvent(printer, dc, code, size, input, 0, nullptr);
    };

    DOCEVENT_CREATEDCPRE create = {const_cast<WCHAR*>(L"MARTENUI"), const_cast<WCHAR*>(printerName), devMode, FALSE};
    event(DOCUMENTEVENT_CREATEDCPRE, sizeof(create), &create);
    const auto* settings = reinterpret_cast<const DocumentSettings*>(devMode);
    const std::string header(settings->pjlHeader);
    printf("  CREATEDCPRE: the application's record is finalized in place (renderFinalMark %d);\n",
           settings->renderFinalMark);
    printf("    its header's first line names the job-settings file:\n    %s\n",
           ShownLine(header.substr(0, header.find('\n') + 1)).c_str());
    ReportBlock(printer, "after context creation");

    DOCINFOW docInfo = {sizeof(docInfo), documentName, nullptr, nullptr, 0};
    DOCINFOW* docInfoPointer = &docInfo;
    event(DOCUMENTEVENT_STARTDOCPRE, sizeof(docInfoPointer), &docInfoPointer);
    WCHAR folder[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder);
    const std::wstring jobFile = std::wstring(folder) + L"\\JOB" + std::to_wstring(GetCurrentProcessId());
    printf("  STARTDOCPRE \"%s\": job-settings file %s\n", Utf8(documentName).c_str(), Utf8(jobFile.c_str()).c_str());
    printf("    which holds %s\n", ShownLine(FileText(jobFile.c_str())).c_str());

    for (int page = 0; page < pages; ++page) {
        event(DOCUMENTEVENT_STARTPAGE, 0, nullptr);
        event(DOCUMENTEVENT_ENDPAGE, 0, nullptr);
    }
    ReportBlock(printer, "after the pages");
    event(DOCUMENTEVENT_ENDDOCPRE, 0, nullptr);
    event(DOCUMENTEVENT_ENDDOCPOST, 0, nullptr);
    printf("  ENDDOCPOST: job-settings file %s\n", FileText(jobFile.c_str()) == "(no file)" ? "deleted" : "still there");
    event(DOCUMENTEVENT_DELETEDC, 0, nullptr);
    ReportBlock(printer, "after DELETEDC");
}
