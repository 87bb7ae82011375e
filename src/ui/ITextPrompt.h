#pragma once
#include <QString>

// A modal question answered with one line of text.
class ITextPrompt {
public:
    virtual ~ITextPrompt() = default;
    // The text entered, or an empty text when the user cancels.
    virtual QString askText(const QString& title, const QString& prompt, const QString& preset) = 0;
};
