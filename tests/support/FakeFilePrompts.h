#pragma once
#include "files/IFilePrompts.h"

#include <QStringList>

// Records every message; answers the save question as the test says.
class FakeFilePrompts final : public IFilePrompts {
public:
    QStringList messages; // "info: ...", "error: ..."
    SaveChoice answer = SaveChoice::Cancel;
    int asked = 0;

    void inform(const QString& text) override { messages << QStringLiteral("info: ") + text; }
    void reportError(const QString& text) override { messages << QStringLiteral("error: ") + text; }
    SaveChoice askSaveChanges() override {
        ++asked;
        return answer;
    }
};
