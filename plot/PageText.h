#pragma once

#include <QFont>

class QPainter;
class QPointF;
class QString;

// Fonts of one paint, sized in pixels for that paint's mapping. The rotated font is
// the label font drawn with rotated = true.
struct PageFonts {
    QFont label;
    QFont title;
};

// Label font with a character cell (ascent + descent) of fontHeight logical units and
// the bold title font 100 units taller. A height of 0 keeps the application font's size.
PageFonts MakePageFonts(int fontHeight, double factor);

// Sets up what the first text of a page waits for (the font database and the page
// font's face), so that a program can do it while it reads its files on another thread.
void PreparePageFonts();

// A font whose ascent + descent is about heightUnits * factor pixels.
QFont PageFont(int heightUnits, int weight, double factor);

enum class TextAlign { CentreTop, CentreBaseline, RightBaseline, LeftBaseline };

// Draws text at a point given in the painter's current (page) coordinates. Text is
// laid out in device pixels so glyphs keep their pixel font size; rotated text reads
// upward, and its "top" faces left.
void DrawPageText(QPainter& painter, const QPointF& point, const QString& text, TextAlign align,
                  const QFont& font, bool rotated = false);
