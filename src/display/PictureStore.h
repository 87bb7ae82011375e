#pragma once
#include "display/Picture.h"

#include <QString>
#include <QStringList>
#include <array>

// The clock pictures, loaded once from the pictures/ folder of the program's folder: the faces
// (0 cream, 1 red, 2 green), their mask, and the button bars (0 blue, 1 green, 2 red, 3 yellow).
// A face, mask or bar that cannot be read or is not of its size gives way to a plain picture in the same
// colours, so the board stays usable; problems() names each file at fault.
class PictureStore {
public:
    static constexpr int faceCount = 3;
    static constexpr int buttonCount = 4;

    explicit PictureStore(const QString& programFolder);

    bool complete() const { return m_problems.isEmpty(); }
    // One line per file that is missing, unreadable or of the wrong size.
    const QStringList& problems() const { return m_problems; }

    // The face with its mask applied as transparency: painted over the canvas it gives what the mask
    // (AND) followed by the face (OR) would give, in one step.
    const Picture& maskedFace(int index) const { return m_masked[std::size_t(index)]; }
    const Picture& button(int index) const { return m_buttons[std::size_t(index)]; }

    // A copy of the picture with a caption printed on it in the canvas's bold font, black, its top-left
    // (x, y) twips from the picture's corner.
    static Picture captioned(const Picture& picture, const QString& caption, double x, double y);

    // Face pixels where the mask is black, transparent where it is white; a grey mask pixel gives
    // partial cover. Needs a face that is black wherever its mask is white.
    static QImage applyMask(const QImage& face, const QImage& mask);

    // The stand-ins: panels in the face's colour and grey beside them; a bar in the button's colour.
    static Picture plainFace(int index);
    static Picture plainButton(int index);

private:
    // The picture, or a null one when the file is missing, unreadable or not of the given size.
    Picture load(const QString& folder, const QString& name, QSize size);

    std::array<Picture, faceCount> m_masked;
    std::array<Picture, buttonCount> m_buttons;
    QStringList m_problems;
};
