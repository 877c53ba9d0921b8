#include "header_decode.h"

#include <windows.h>

#include <algorithm>

#include "job/pjl_header.h"
#include "job/pjl_job_facts.h"
#include "preview_words.h"
#include "settings/default_settings.h"

namespace {

constexpr char kUniversalExit[] = "\x1b%-12345X";
constexpr char kJobFileCommand[] = "@PJL SET VKPJLFILE";
constexpr char kJobNameCommand[] = "@PJL SET JOBNAME";
constexpr char kSorterCommand[] = "@PJL SET SORTER";

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// The commands this model's header holds, in the builder's order: the
// header of the model's defaults, composed by the driver's builder with every
// option installed (which lines are written depends on the model alone).
std::vector<std::string> ExpectedCommands(const PreviewModel& m)
{
    PjlJobFacts facts = {};
    DocumentSettings record;
    BuildDefaultSettings(m.model, L"", &m.profile, facts, &record);
    record.driverControlsSort = 0;   // the sorter line's condition
    facts.withPrinter = true;
    ComposePjlHeader(m.model, facts, &record);
    std::vector<std::string> commands;
    const std::string header(record.pjlHeader);
    for (size_t at = 0; at < header.size();) {
        const size_t end = header.find('\n', at);
        const std::string line = header.substr(at, end - at);
        commands.push_back(line.substr(0, line.find('=')));
        at = end == std::string::npos ? header.size() : end + 1;
    }
    return commands;
}

// The word of `value` among the on/off names, or empty.
std::wstring OnOffWord(const std::string& value)
{
    return value == PjlOnOffName(0) ? L"off" : value == PjlOnOffName(1) ? L"on" : L"";
}

// The choice and value word of one SET line; an empty choice when the
// model's driver never writes the command, an empty value when the value is
// outside the model's table.
void NameLine(const PreviewModel& m, const std::string& command, const std::string& value, DecodedLine* line)
{
    const ModelState& model = m.model;
    std::wstring& choice = line->choice;
    std::wstring& word = line->value;
    if (command == kJobFileCommand) {
        choice = L"job file";
        word = Wide(value);
    } else if (command == kJobNameCommand) {
        choice = L"job name";
        word = Wide(value);
    } else if (command == model.paperCommand) {
        choice = L"paper";
        for (int row = 0; row < model.enabledPaperCount && row < kPaperKeywordCount; ++row)
            if (value == model.availablePapers[row].pjlName)
                word = PaperWord(model, model.availablePapers[row].paperCode);
    } else if (command == "@PJL SET ORIENTATION") {
        choice = L"orientation";
        word = value == PjlOrientationName(DMORIENT_PORTRAIT) ? L"portrait"
               : value == PjlOrientationName(DMORIENT_LANDSCAPE) ? L"landscape" : L"";
    } else if (command == "@PJL SET MEDIASOURCE") {
        choice = L"source";
        for (const std::wstring& source : OfferedSourceWords(model, model.maxTrayCount))
            if (value == PjlSourceName(SourceCodeOfWord(model, source)))
                word = source;
    } else if (command == "@PJL SET ROTATE") {
        choice = L"rotate";
        word = OnOffWord(value);
    } else if (command == "@PJL SET RESOLUTION") {
        choice = L"resolution";
        word = value == "600" ? L"600" : value == "300" ? L"300" : L"";
    } else if (command == "@PJL SET SMOOTH") {
        choice = L"smoothing";
        word = OnOffWord(value);
    } else if (command == "@PJL SET SECURITY") {
        choice = L"security";
        word = OnOffWord(value);
    } else if (command == "@PJL SET JOBPASSWORD") {
        choice = L"password";
        word = value.size() <= 4 ? Wide(value) : L"";
        if (value.empty())
            word = L"none";
    } else if (command == "@PJL SET SHIFT") {
        choice = L"shift";
        word = OnOffWord(value);
    } else if (command == "@PJL SET OUTBIN") {
        choice = L"output-tray";
        for (int16_t bin = 0; bin <= 3; ++bin)
            if (value == PjlOutputBinName(bin))
                word = OutputTrayWord(bin);
    } else if (command == "@PJL SET TONERSAVE") {
        choice = L"toner-save";
        word = OnOffWord(value);
    } else if (command == model.stapleCommand) {
        choice = L"staple";
        word = value == model.stapleParams[0] ? L"off" : value == model.stapleParams[1] ? L"on" : L"";
    } else if (command == model.duplexCommand) {
        choice = L"duplex";
        word = value == model.duplexParams[0]   ? L"off"
               : value == model.duplexParams[1] ? L"on, long edge"
               : value == model.duplexParams[2] ? L"on, short edge" : L"";
    } else if (command == "@PJL SET BINDINGMARGIN") {
        choice = L"binding-margin";
        word = OnOffWord(value);
    } else if (command == kSorterCommand) {
        choice = L"sorter";
        word = value == PjlSorterName(0) ? L"stack" : value == PjlSorterName(1) ? L"sort" : L"";
    }
}

bool IsText(const std::string& job)
{
    const size_t look = std::min<size_t>(job.size(), 512);
    for (size_t i = 0; i < look; ++i) {
        const unsigned char c = job[i];
        if (c == 0)
            return false;
    }
    return true;
}

}  // namespace

bool DecodedHeader::flagged() const
{
    if (!problems.empty())
        return true;
    for (const DecodedLine& line : lines)
        if (!line.flag.empty())
            return true;
    return false;
}

std::vector<std::wstring> DecodedHeader::Choices() const
{
    std::vector<std::wstring> choices;
    for (const DecodedLine& line : lines) {
        if (line.choice.empty() || line.value.empty() || line.choice == L"job file" || line.choice == L"job name")
            continue;
        if (line.choice == L"duplex") {
            choices.push_back(line.value == L"off" ? L"duplex=off" : L"duplex=on");
            if (line.value != L"off")
                choices.push_back(line.value == L"on, long edge" ? L"flip=long" : L"flip=short");
        } else if (line.choice == L"password") {
            if (line.value != L"none")
                choices.push_back(L"password=" + line.value);
        } else {
            choices.push_back(line.choice + L"=" + line.value);
        }
    }
    return choices;
}

bool DecodeJobHeader(const PreviewModel& m, const std::string& job, DecodedHeader* decoded, std::wstring* error)
{
    *decoded = DecodedHeader();
    if (job.empty()) {
        *error = L"the job is empty";
        return false;
    }
    std::string text = job;
    if (text.compare(0, sizeof(kUniversalExit) - 1, kUniversalExit) == 0)
        text.erase(0, sizeof(kUniversalExit) - 1);
    if (text.compare(0, 4, "@PJL") != 0) {
        *error = IsText(job) ? L"the job does not start with a PJL header" : L"the job is not text and has no PJL header";
        return false;
    }

    const std::vector<std::string> expected = ExpectedCommands(m);
    std::vector<std::string> seen;
    int number = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, 4, "@PJL") != 0)
            break;
        DecodedLine out{++number, line, L"", L"", L""};
        const size_t equals = line.find('=');
        if (line.compare(0, 9, "@PJL SET ") == 0 && equals != std::string::npos) {
            const std::string command = line.substr(0, equals);
            NameLine(m, command, line.substr(equals + 1), &out);
            const bool written = std::find(expected.begin(), expected.end(), command) != expected.end() ||
                                 command == kJobNameCommand || command == kJobFileCommand;
            if (!written)
                out.flag = L"this model's driver never writes this line";
            else if (out.value.empty())
                out.flag = L"the value is not in this model's table";
            if (written && command != kJobNameCommand && command != kJobFileCommand) {
                if (std::find(seen.begin(), seen.end(), command) != seen.end())
                    out.flag = L"the line is given twice";
                seen.push_back(command);
            }
        }
        decoded->lines.push_back(out);
    }

    // The builder's order, every line present; the job file line and the
    // sorter line (absent when the driver sorts) may be missing.
    size_t next = 0;
    for (const std::string& command : seen) {
        const auto at = std::find(expected.begin(), expected.end(), command);
        const size_t index = static_cast<size_t>(at - expected.begin());
        if (index < next) {
            decoded->problems.push_back(L"\"" + Wide(command) + L"\" comes out of the driver's order");
            continue;
        }
        next = index + 1;
    }
    for (const std::string& command : expected) {
        if (command == kJobFileCommand || command == kSorterCommand)
            continue;
        if (std::find(seen.begin(), seen.end(), command) == seen.end())
            decoded->problems.push_back(L"the line \"" + Wide(command) + L"\" that the driver always writes is missing");
    }
    // Without the sorter line a printer that sorts by itself left it to the driver.
    if (m.model.model == 3 && m.model.control != 0 &&
        std::find(seen.begin(), seen.end(), kSorterCommand) == seen.end() && m.model.driverVariant == 2)
        decoded->lines.push_back({0, "", L"copies-by", L"driver", L""});
    else if (m.model.model == 3 && m.model.control != 0 && m.model.driverVariant == 2)
        decoded->lines.push_back({0, "", L"copies-by", L"printer", L""});
    return true;
}
