// The output box's text kept in a Qt text box: line ends counted as two characters, as the
// listing counts them, and rows always added at the end, wherever the user left the caret.
#pragma once

#include "transits/output_box.h"

class QPlainTextEdit;

namespace meridel {

class TextBoxOutput : public OutputText {
public:
    // box: the window's member that holds its text box, which may be made after this.
    explicit TextBoxOutput(QPlainTextEdit* const& box) : box_(box) {}
    std::size_t Length() const override;
    void Append(const std::string& text) override;
    void Clear() override;

private:
    QPlainTextEdit* const& box_;
};

}  // namespace meridel
