// Writing the output box's text to a file and opening that file with the desktop's program.
#pragma once

#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "transits/transit_results.h"

namespace meridel {

inline constexpr const char* kFileCaption = "Write output to file";

// text without leading and trailing space characters (line breaks and tabs stay).
std::string TrimBlanks(const std::string& text);

// Writes text (UTF-8) to path as Windows-1252 with CR LF line ends, followed by CR LF; a lone
// LF in text becomes CR LF. The file is created or overwritten (CreateOrOverwriteFile): whole, or
// on failure not at all, wherever a temporary file can be made beside it. Returns "" on
// success, otherwise the system's description of the error.
std::string WriteTextFile(const std::string& text, const std::string& path);

// Asks the desktop to open path with its program. On failure shows "Error when opening file
// <path>." (title "Error") and returns false.
bool OpenWithAssociatedProgram(const std::string& path);

// The save dialog's file types: the text first, as before; then the exports of the runs.
inline constexpr const char* kOutputFileTypes =
    "Text files (*.txt);;CSV files (*.csv);;iCalendar files (*.ics)";

// What the "Write output to file" button does with the output box's text. outputText is
// trimmed in place (the box shows the trimmed text afterwards); outputFilePath receives the
// chosen file. A file named .csv, .ics or .json receives the export of `runs`, the runs the box holds
// (UTF-8, as exports.h writes them, in the sky they were listed in); any other the text. Messages
// go through ActiveDialogs(). Returns true when the file was written.
bool WriteOutputToFile(std::string& outputText, bool openOutputFile, std::string& outputFilePath, const Sky& sky = Sky(),
                       const std::vector<RunRecord>& runs = {});

}  // namespace meridel
