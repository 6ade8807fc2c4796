#pragma once
#include <string>

class QTextEdit;

// Replaces the edit's selection with the formatted text of an RTF document
// and leaves the caret after it; input that is not RTF goes in as plain text.
// A document that colours its text is shown black on white.
void StreamInRtf(QTextEdit& edit, const std::string& rtf);
