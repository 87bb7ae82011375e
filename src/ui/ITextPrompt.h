#pragma once
#include <QString>
#include <optional>

// A modal question answered with one line of text.
class ITextPrompt {
public:
    virtual ~ITextPrompt() = default;
    // The text entered (which may be empty), or nothing when the user cancels.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt,
                                           const QString& preset) = 0;
};
