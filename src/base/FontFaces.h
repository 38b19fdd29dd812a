#pragma once

#include <QRawFont>
#include <QString>
#include <QStringList>

// Questions about installed faces that fontconfig answers directly. Qt's
// font database answers them too, but indexes every installed face on its
// first use: on a desktop with thousands of faces, a good part of the
// start and of the memory of a program that shows a line of text.

// Whether a face of exactly this family is installed (no stand-in). The
// answer of the last run stands until ConfirmFontAnswers().
bool FontFamilyInstalled(const QString& family);

// Asks fontconfig again what was answered from the last run, for the next
// windows and the next run: once the first window is on the screen.
void ConfirmFontAnswers();

// The families to ask for in place of one: our own stand-in first where
// the family itself is not installed.
QStringList FontFamiliesFor(const QString& family);

// The face of the family (or of our stand-in for it) at a pixel size,
// loaded from its file; invalid where neither is installed as such.
QRawFont FontFace(const QString& family, int pixels, bool bold);

// Lets the faces loaded so far go while the application still exists: a
// font engine outliving it would be freed after the font system it uses.
void ReleaseFontFaces();
