#pragma once
#include "display/Picture.h"

#include <QString>
#include <QStringList>
#include <array>

// The clock pictures, loaded once from the pictures/ folder of the program's folder: the faces
// (0 cream, 1 red, 2 green), their mask, and the button bars (0 blue, 1 green, 2 red, 3 yellow).
class PictureStore {
public:
    static constexpr int faceCount = 3;
    static constexpr int buttonCount = 4;

    // Loads every picture that can be read; the names of those that could not be are in missing().
    explicit PictureStore(const QString& programFolder);
    // An empty store, for painting without pictures.
    PictureStore() = default;

    bool complete() const { return m_missing.isEmpty(); }
    const QStringList& missing() const { return m_missing; }

    const Picture& face(int index) const { return m_faces[std::size_t(index)]; }
    const Picture& matte() const { return m_matte; }
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

private:
    Picture load(const QString& folder, const QString& name);

    std::array<Picture, faceCount> m_faces;
    std::array<Picture, faceCount> m_masked;
    Picture m_matte;
    std::array<Picture, buttonCount> m_buttons;
    QStringList m_missing;
};
