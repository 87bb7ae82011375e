#pragma once
#include <QString>

// The modal messages and the one question of the clock-file commands.
class IFilePrompts {
public:
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~IFilePrompts() = default;
    // A message with an OK button ("Clocks saved to ...", the version messages).
    virtual void inform(const QString& text) = 0;
    // A failure the user must know about, with an OK button.
    virtual void reportError(const QString& text) = 0;
    // "Save changes to this board?" with Save, Discard and Cancel.
    virtual SaveChoice askSaveChanges() = 0;
};
