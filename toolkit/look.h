// What every window shares beyond the Panel: the desktop's system colours, fonts by pixel height from the
// forms, showing and centring windows, and which key events count.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>

class QKeyEvent;
class QWidget;

namespace kvizaro {

inline const char* const ApplicationTitleUtf8 = "Kvizaro v1.0 * Folimo";
QString applicationTitle();

// The desktop colours the layouts name, mapped onto palette roles.
enum class SystemColour { ButtonFace, WindowText, ActiveCaption, CaptionText, InfoText, AppWorkspace };
QColor systemColour(SystemColour colour);

// Contrast of two colours as WCAG counts it, from 1 (equal luminance) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// `background` darkened just enough for `text` on it to reach `ratio`; a background that already reaches
// it is returned unchanged. Desktop themes choose the selection colour for highlighted list rows, not for
// the bold captions the layouts set on it.
QColor readableBackground(const QColor& background, const QColor& text, double ratio = 4.5);

// The colour of the marked parts of an answer: a red that reaches 4.5:1 against `background`, darkened on
// a light panel, lightened on a dark one. Marked letters are underlined as well, so that the colour is
// never the only sign.
QColor markColour(const QColor& background);

// Forms cannot state font sizes in pixels nor colours by desktop role, so they carry them as dynamic
// properties, applied here once after setupUi:
//   pixelSize (int)                      the font's pixel height
//   colorRole, fontColorRole (string)    ButtonFace, WindowText, ActiveCaption, CaptionText, InfoText,
//                                        AppWorkspace: the panel's (or widget's) background and text colour
//   picture (string)                     a label's picture, by name (see pictures.h)
//   wordWrap (bool)                      a panel's caption wraps at word boundaries
void applyFormLook(QWidget* window);

// The layouts name Windows faces. Where a system lacks them, prefer the metric-compatible or closest free
// faces to whatever fontconfig would pick, so that captions fit their panels as designed.
void installFontSubstitutions();

// The forms' base face and height (MS Sans Serif, 11 pixels) as the application's default. Controls then
// start out in it, instead of being laid out once in the desktop's face and again in their own; boxes
// outside the forms, such as the error box, share the forms' look.
void useFormFontByDefault();

// The face and height of the panels that show questions and answers.
QFont esperantoFont();

// Top-left corner that centres `window` on `screen`; the division truncates toward zero, so a screen
// smaller than the window gives negative offsets.
QPoint centredOrigin(QSize screen, QSize window);

// Make visible, bring to the front, activate.
void showWindow(QWidget* window);

// Keys act on their physical release only: an auto-repeated release of a held key does nothing.
bool isPhysicalRelease(const QKeyEvent* event);
bool isEnterKey(const QKeyEvent* event);
bool isEscapeKey(const QKeyEvent* event);

// For a control without a mouse-move handler: it takes the moves over it, so that the window or panel
// beneath does not see them and reset its highlights.
void keepMouseMoves(QWidget* control);

} // namespace kvizaro
