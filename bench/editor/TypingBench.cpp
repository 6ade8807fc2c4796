// Typing into a 1 MiB text in the editor pane, with spelling checked and
// without: the median time of one key event, from the key to the painted
// pane (goal: under 5 ms with checking on).
#include "GeneratorInput.h"
#include "MyEdit.h"
#include "PlumetState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Words of a newsletter, a few misspelled so the checker has work to show.
constexpr const char* kWords[] = {
    "the", "newsletter", "of", "a", "publisher", "sends", "articles", "and", "ads", "to",
    "readers", "every", "week", "with", "tips", "on", "marketing", "your", "business", "online",
    "subscribers", "grow", "when", "content", "is", "useful", "short", "clear", "issue", "sponsor",
    "recieve", "wrtier", "teh", "adress", "format", "width", "text", "line", "paragraph", "block",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

// Paragraphs of about 400 characters with a blank line between them.
std::string Text(std::size_t bytes)
{
    std::string text;
    while (text.size() < bytes) {
        for (int i = 0; i < 60; ++i) {
            text += kWords[NextRandom() % kWordCount];
            text += i == 59 ? "." : " ";
        }
        text += "\n\n";
    }
    return text;
}

double MedianKeyMilliseconds(MyEdit& editor, const std::string& typed)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (char c : typed) {
        const QString text(QLatin1Char(c == '\n' ? '\r' : c));
        const int key = c == ' ' ? Qt::Key_Space : Qt::Key_A + (QChar(c).toLower().unicode() - 'a');
        timer.start();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&editor, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(&editor, &release);
        editor.viewport()->repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Typing {
    double medianMilliseconds;
    bool typedAll;     // every key went into the text
    bool underlined;   // with checking on, some word was underlined
};

Typing TypeWith(bool checking, const std::string& text, const std::string& typed)
{
    PlumetState state;
    MyEdit editor(state);
    editor.resize(800, 500);
    editor.show();
    editor.SetText(text);
    editor.SetSpellChecking(checking);
    QTextCursor middle = editor.textCursor();
    middle.setPosition(editor.document()->characterCount() / 2);
    editor.setTextCursor(middle);
    editor.ensureCursorVisible();
    editor.viewport()->repaint();  // loads the dictionary before the clock runs
    const int before = editor.document()->characterCount();
    const double median = MedianKeyMilliseconds(editor, typed);
    return {median, editor.document()->characterCount() - before == int(typed.size()),
            !editor.UnderlinedWords().empty()};
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir data;  // the personal word list stays out of the user's
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);

    const std::string text = Text(std::size_t{1} << 20);
    std::string typed;
    while (typed.size() < 1000)
        typed += std::string(kWords[NextRandom() % kWordCount]) + " ";
    typed.resize(1000);

    const Typing on = TypeWith(true, text, typed);
    const Typing off = TypeWith(false, text, typed);
    std::printf("typing 1000 characters into %zu bytes: median per key %.2f ms checking, %.2f ms not "
                "checking (goal under 5 ms: %s)\n",
                text.size(), on.medianMilliseconds, off.medianMilliseconds,
                on.medianMilliseconds < 5 ? "met" : "missed");
    if (!on.typedAll || !off.typedAll || !on.underlined || off.underlined) {
        std::printf("the keys did not all arrive, or the underlines were not as set\n");
        return 1;
    }
    return 0;
}
