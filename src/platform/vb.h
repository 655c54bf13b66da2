// Button, icon and answer codes of message boxes, with the values the
// program's texts and settings have always used, and the program's title.
#pragma once

#include <QString>

namespace platform {

// The title of every message box unless a caller names another.
inline const QString kAppTitle = QStringLiteral("Lamoria Ver2.01");

// Buttons (low nibble).
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;

// Icons.
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;

// Default button.
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;

// Masks to take a style apart.
constexpr int vbButtonsMask = 0x0F;
constexpr int vbIconMask = 0xF0;
constexpr int vbDefaultMask = 0xF00;

// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// Line breaks as the program's texts use them.
inline const QString vbCr = QStringLiteral("\r");
inline const QString vbLf = QStringLiteral("\n");
inline const QString vbCrLf = QStringLiteral("\r\n");

// The buttons a style shows, in order, as answer codes; the first one is
// what Enter picks unless the style names another default.
QList<int> buttonsOf(int style);

// The answer Enter gives for a style (its default button).
int defaultAnswerOf(int style);

// The answer Esc or the close box gives, or 0 when the style offers none
// (Yes/No and Abort/Retry/Ignore cannot be dismissed).
int escapeAnswerOf(int style);

// Short readable names for diagnostics: "vbYesNo|vbQuestion", "vbYes".
QString styleName(int style);
QString answerName(int answer);

} // namespace platform
