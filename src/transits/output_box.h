// The output box: the listing's text as runs append it, the limit at which it refuses a row, and
// the runs it now holds as values. The window keeps its text in its text box; the batch
// front-end in a string.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "transits/transit_results.h"

namespace meridel {

// Where the text lives. Texts are UTF-8 with CR LF line ends.
class OutputText {
public:
    virtual ~OutputText() = default;
    // Characters held; a line end counts as two, as it does in the designed box.
    virtual std::size_t Length() const = 0;
    virtual void Append(const std::string& text) = 0;
    virtual void Clear() = 0;
};

// The text in a string.
class StringOutput : public OutputText {
public:
    std::size_t Length() const override { return characters_; }
    void Append(const std::string& text) override;
    void Clear() override;
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    std::size_t characters_ = 0;
};

class OutputBox {
public:
    // A row is refused once the box holds this many characters.
    static constexpr std::size_t kWindowLimit = 64001;
    static constexpr const char* kFullMessage = "Output textbox is full.";
    static constexpr const char* kFullNote = "Textbox is full -- ";

    // No limit: every row is written (the batch front-end without --box-limit).
    OutputBox(OutputText& text, std::optional<std::size_t> limit) : text_(text), limit_(limit) {}

    bool Empty() const { return text_.Length() == 0; }
    std::size_t Length() const { return text_.Length(); }

    // A new run's set-up: an empty box stays empty (and holds no runs: its text may have been
    // deleted by hand); otherwise, appending, the blank line and rule that separate runs, or else
    // the box is emptied.
    void BeginRun(bool append);
    // Appends a plain line (heading, rule) and its line end.
    void AppendLine(const std::string& line);
    // Appends text as it is ("Stopped").
    void Append(const std::string& text);
    // Appends a row line and its line end; false when the box is full: the row is refused and
    // the note "Textbox is full -- " written instead. The caller tells the user (kFullMessage).
    bool WriteRow(const std::string& line);
    // Empties the box, its runs with it.
    void Clear();

    // The runs the box holds, in the order written; a run's record holds the rows it wrote.
    const std::vector<RunRecord>& Runs() const { return runs_; }
    // Ends the run begun by BeginRun: its record joins the box's runs.
    void AddRun(const RunRecord& run);
    // The runs whose text `text` (the box's text as it is now, CR LF line ends) still holds as
    // written, in order: those of a box edited by hand whose text was deleted or changed drop out.
    // A box with a limit (the window's) keeps each run's text to tell; one without is never edited
    // by hand and gives all its runs.
    std::vector<RunRecord> RunsShownIn(const std::string& text) const;

private:
    void Write(const std::string& text);

    OutputText& text_;
    std::optional<std::size_t> limit_;
    std::vector<RunRecord> runs_;
    std::vector<std::string> runTexts_;  // with a limit: the text each run wrote
    std::string runText_;                // with a limit: what the current run has written so far
};

}  // namespace meridel
