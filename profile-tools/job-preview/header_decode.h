// Reading a captured job's PJL header back into the settings it carries,
// for one model: each "@PJL SET" line named by the choice that writes it,
// and what this model's driver could not have written flagged.
#ifndef MARTENUI_HEADER_DECODE_H
#define MARTENUI_HEADER_DECODE_H

#include <string>
#include <vector>

#include "job_preview.h"

struct DecodedLine {
    int number;                 // 1-based line of the job
    std::string text;           // without its line end
    std::wstring choice;        // empty when the driver never writes the line
    std::wstring value;         // the choice's value in the pages' words
    std::wstring flag;          // why the line is flagged, else empty
};

struct DecodedHeader {
    std::vector<DecodedLine> lines;
    std::vector<std::wstring> problems;   // flags about the header as a whole
    bool flagged() const;
    // The decoded choices, as job-preview takes them ("CHOICE=VALUE").
    std::vector<std::wstring> Choices() const;
};

// Decodes the PJL header at the start of `job`: the lines up to the first
// that is not a PJL line. False with a message when there is none.
bool DecodeJobHeader(const PreviewModel& model, const std::string& job, DecodedHeader* decoded, std::wstring* error);

#endif
