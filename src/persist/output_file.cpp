#include "persist/output_file.h"

#include "dialogs/dialogs.h"
#include "exports/exports.h"
#include "persist/text_encoding.h"
#include "persist/whole_file.h"

#include <QString>

namespace meridel {

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string WriteTextFile(const std::string& text, const std::string& path) {
    // The box may hold bare LF line ends; the file always has CR LF.
    std::string windowsText;
    windowsText.reserve(text.size() + text.size() / 40 + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) windowsText += '\r';
        windowsText += text[i];
    }
    windowsText += "\r\n";

    return CreateOrOverwriteFile(QString::fromStdString(path), ToWindows1252(QString::fromStdString(windowsText)));
}

bool OpenWithAssociatedProgram(const std::string& path) {
    if (ActiveDialogs().OpenWithAssociatedProgram(path)) return true;
    ActiveDialogs().ShowMessage("Error when opening file " + path + ".", MessageIcon::Exclamation, "Error");
    return false;
}

bool WriteOutputToFile(std::string& outputText, bool openOutputFile, std::string& outputFilePath, const Sky& sky,
                       const std::vector<RunRecord>& runs) {
    outputText = TrimBlanks(outputText);
    if (outputText.empty()) {
        ActiveDialogs().ShowMessage("Nothing to write.", MessageIcon::Exclamation, kFileCaption);
        return false;
    }
    std::optional<std::string> chosen =
        ActiveDialogs().ChooseSaveFile("Specify output file", "", kOutputFileTypes);
    if (!chosen || chosen->empty()) return false;
    outputFilePath = *chosen;

    const OutputFormat format = OutputFormatOfPath(outputFilePath);
    const std::string status =
        format == OutputFormat::Text
            ? WriteTextFile(outputText, outputFilePath)
            : CreateOrOverwriteFile(QString::fromStdString(outputFilePath),
                                    QByteArray::fromStdString(ExportRuns(format, runs, sky, CurrentUtcStamp())));
    if (!status.empty()) {
        ActiveDialogs().ShowMessage("Error writing to file " + outputFilePath + "\n" + status,
                          MessageIcon::Exclamation, kFileCaption);
        return false;
    }
    if (openOutputFile)
        OpenWithAssociatedProgram(outputFilePath);
    else
        ActiveDialogs().ShowMessage("Output written to file " + outputFilePath, MessageIcon::Information, "Done");
    return true;
}

}  // namespace meridel
