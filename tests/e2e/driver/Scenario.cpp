#include "Scenario.h"

#include "robot/Quoting.h"

#include <cctype>
#include <map>
#include <sstream>

using robot::Quoted;

namespace {

struct Token {
    std::string text;
    bool quoted = false;
};

[[noreturn]] void Fail(int line, const std::string& message) {
    throw ScenarioError{"line " + std::to_string(line) + ": " + message};
}

// Splits one line into words and quoted texts. "..." takes the escapes \\ \" \n \r \t;
// '...' is taken as written (handy for Windows paths). '#' outside quotes starts a comment.
std::vector<Token> Tokenise(const std::string& line, int lineNumber) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') {
            break;
        }
        Token token;
        if (c == '"') {
            token.quoted = true;
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    Fail(lineNumber, "a text in double quotes does not end");
                }
                char d = line[i++];
                if (d == '"') {
                    break;
                }
                if (d == '\\') {
                    if (i >= line.size()) {
                        Fail(lineNumber, "a backslash ends the line");
                    }
                    const char e = line[i++];
                    switch (e) {
                    case 'n':
                        d = '\n';
                        break;
                    case 'r':
                        d = '\r';
                        break;
                    case 't':
                        d = '\t';
                        break;
                    case '\\':
                    case '"':
                        d = e;
                        break;
                    default:
                        Fail(lineNumber, std::string("unknown escape \\") + e);
                    }
                }
                token.text += d;
            }
        } else if (c == '\'') {
            token.quoted = true;
            const std::size_t end = line.find('\'', i + 1);
            if (end == std::string::npos) {
                Fail(lineNumber, "a text in single quotes does not end");
            }
            token.text = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                token.text += line[i++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool IsNumber(const std::string& text) {
    std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (start >= text.size()) {
        return false;
    }
    for (std::size_t i = start; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return text.size() - start <= 9;
}

// Reads the tokens of one step in order and reports what is missing or left over.
class StepReader {
public:
    StepReader(std::vector<Token> tokens, int line) : tokens_(std::move(tokens)), line_(line) {}

    bool AtEnd() const { return next_ >= tokens_.size(); }

    bool PeekWord(const char* word) const {
        return !AtEnd() && !tokens_[next_].quoted && tokens_[next_].text == word;
    }

    bool TakeWord(const char* word) {
        if (PeekWord(word)) {
            ++next_;
            return true;
        }
        return false;
    }

    std::string Word(const char* what) {
        if (AtEnd() || tokens_[next_].quoted) {
            Fail(line_, std::string("expected ") + what);
        }
        return tokens_[next_++].text;
    }

    std::string Text(const char* what) {
        if (AtEnd()) {
            Fail(line_, std::string("expected ") + what);
        }
        return tokens_[next_++].text;
    }

    bool PeekQuoted() const { return !AtEnd() && tokens_[next_].quoted; }

    // Whether the word after the next token (a control) is the given one.
    bool PeekAfterControl(const char* word) const {
        return next_ + 1 < tokens_.size() && !tokens_[next_ + 1].quoted &&
               tokens_[next_ + 1].text == word;
    }

    int Number(const char* what) {
        const std::string word = Word(what);
        if (!IsNumber(word)) {
            Fail(line_, std::string("expected ") + what + ", found \"" + word + "\"");
        }
        return std::stoi(word);
    }

    ControlRef Control() {
        if (AtEnd()) {
            Fail(line_, "expected a control (an id or a caption)");
        }
        const Token& token = tokens_[next_++];
        ControlRef ref;
        if (!token.quoted && IsNumber(token.text)) {
            ref.kind = ControlRef::Kind::Id;
            ref.id = std::stoi(token.text);
        } else if (!token.quoted && token.text == "message") {
            ref.kind = ControlRef::Kind::Message;
        } else {
            ref.kind = ControlRef::Kind::Text;
            ref.text = token.text;
        }
        return ref;
    }

    // An optional "timeout SECONDS" at the end of a wait or an expectation.
    void OptionalTimeout(Step& step) {
        if (TakeWord("timeout")) {
            step.timeoutSeconds = Number("seconds after timeout");
            if (*step.timeoutSeconds <= 0) {
                Fail(line_, "a time-out must be at least 1 second");
            }
        }
    }

    void End() {
        if (!AtEnd()) {
            Fail(line_, "unexpected \"" + tokens_[next_].text + "\"");
        }
    }

    int line() const { return line_; }

private:
    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    int line_;
};

// caption "C", class "K", text "T" (a static control contains T), control ID; at least one.
void ParseWindowCriteria(StepReader& in, WindowQuery& query) {
    bool any = false;
    for (;;) {
        if (in.TakeWord("caption")) {
            query.caption = in.Text("a caption");
        } else if (in.TakeWord("class")) {
            query.className = in.Text("a window class");
        } else if (in.TakeWord("text")) {
            query.staticText = in.Text("a text");
        } else if (in.TakeWord("control")) {
            query.controlId = in.Number("a control id");
        } else {
            break;
        }
        any = true;
    }
    if (!any) {
        Fail(in.line(), "a window is named by caption, class, text or control");
    }
}

void ParseWait(StepReader& in, Step& step) {
    step.verb = Verb::WaitWindow;
    if (in.TakeWord("dialog")) {
        step.query.dialog = true;
        step.query.caption = in.Text("the dialog's caption");
    } else if (in.TakeWord("box")) {
        step.query.messageBox = true;
        step.query.caption = in.Text("the box's caption");
        if (in.PeekQuoted()) {
            step.query.staticText = in.Text("the box's text");
        }
    } else if (in.TakeWord("closed")) {
        step.verb = Verb::WaitClosed;
    } else if (in.TakeWord("file")) {
        step.verb = Verb::WaitFile;
        step.text = in.Text("the file's path");
        if (in.TakeWord("size")) {
            step.number = in.Number("the file's least size in bytes");
        }
    } else if (in.TakeWord("window")) {
        ParseWindowCriteria(in, step.query);
    } else {
        Fail(in.line(), "wait needs dialog, box, window, file or closed");
    }
    in.OptionalTimeout(step);
}

void ParseExpect(StepReader& in, Step& step) {
    static const std::map<std::string, ControlState> states = {
        {"enabled", ControlState::Enabled}, {"disabled", ControlState::Disabled},
        {"checked", ControlState::Checked}, {"unchecked", ControlState::Unchecked},
        {"visible", ControlState::Visible}, {"hidden", ControlState::Hidden},
        {"focus", ControlState::Focused},   {"focused", ControlState::Focused},
    };
    const std::string what = in.Word("what to expect");
    if (what == "box") {
        step.verb = Verb::WaitWindow;
        step.query.messageBox = true;
        step.query.caption = in.Text("the box's caption");
        step.query.messageText = in.Text("the box's text");
    } else if (what == "window") {
        step.verb = Verb::ExpectWindow;
        ParseWindowCriteria(in, step.query);
    } else if (what == "no") {
        if (!in.TakeWord("window")) {
            Fail(in.line(), "expected \"window\" after \"expect no\"");
        }
        step.verb = Verb::ExpectNoWindow;
        ParseWindowCriteria(in, step.query);
    } else if (what == "caption") {
        step.verb = Verb::ExpectCaption;
        step.text = in.Text("the caption");
    } else if (what == "text") {
        step.verb = Verb::ExpectText;
        step.control = in.Control();
        step.contains = in.TakeWord("contains");
        step.text = in.Text("the text");
    } else if (what == "selected") {
        step.verb = Verb::ExpectSelected;
        step.control = in.Control();
        if (in.TakeWord("index")) {
            step.index = in.Number("an entry's index");
        } else {
            step.text = in.Text("the selected entry");
        }
    } else if (what == "count") {
        step.verb = Verb::ExpectCount;
        step.control = in.Control();
        step.number = in.Number("the number of entries");
    } else if (what == "exit") {
        step.verb = Verb::ExpectExit;
        step.number = in.Number("the exit code");
    } else if (const auto found = states.find(what); found != states.end()) {
        step.verb = Verb::ExpectState;
        step.state = found->second;
        step.control = in.Control();
    } else {
        Fail(in.line(), "unknown expectation \"" + what + "\"");
    }
    in.OptionalTimeout(step);
}

Step ParseStep(std::vector<Token> tokens, int line, const std::string& source) {
    Step step;
    step.line = line;
    step.source = source;
    StepReader in(std::move(tokens), line);
    const std::string verb = in.Word("a step");
    if (verb == "timeout") {
        step.verb = Verb::Timeout;
        step.number = in.Number("seconds");
        if (step.number <= 0) {
            Fail(line, "a time-out must be at least 1 second");
        }
    } else if (verb == "wait") {
        ParseWait(in, step);
    } else if (verb == "expect") {
        ParseExpect(in, step);
    } else if (verb == "type" || verb == "keys") {
        step.verb = verb == "type" ? Verb::Type : Verb::Keys;
        step.control = in.Control();
        step.text = in.Text("the text to type");
    } else if (verb == "click" && in.PeekAfterControl("at")) {
        step.verb = Verb::ClickAt;
        step.control = in.Control();
        in.TakeWord("at");
        step.x = in.Number("x");
        step.y = in.Number("y");
    } else if (verb == "click" && in.PeekAfterControl("entry")) {
        step.verb = Verb::ClickAt;
        step.control = in.Control();
        in.TakeWord("entry");
        step.entry = in.Number("an entry's index");
        if (in.TakeWord("at")) {
            step.x = in.Number("x");
        }
    } else if (verb == "check" || verb == "uncheck" || verb == "choose" || verb == "click" ||
               verb == "press" || verb == "focus") {
        step.verb = verb == "check"     ? Verb::Check
                    : verb == "uncheck" ? Verb::Uncheck
                    : verb == "choose"  ? Verb::Choose
                    : verb == "focus"   ? Verb::Focus
                                        : Verb::Click;
        step.control = in.Control();
    } else if (verb == "select") {
        step.verb = Verb::Select;
        step.control = in.Control();
        if (in.TakeWord("index")) {
            step.index = in.Number("an entry's index");
        } else {
            step.text = in.Text("the entry to select");
        }
        step.doubleClick = in.TakeWord("double");
    } else if (verb == "key") {
        step.verb = Verb::Key;
        if (in.TakeWord("input")) {
            step.delivery = KeyDelivery::Input;
        }
        while (!in.AtEnd()) {
            const std::string name = in.Word("a key name");
            const auto stroke = ParseKeyName(name);
            if (!stroke) {
                Fail(line, "unknown key \"" + name + "\"");
            }
            step.keys.push_back(*stroke);
        }
        if (step.keys.empty()) {
            Fail(line, "key needs at least one key name");
        }
    } else if (verb == "close") {
        step.verb = Verb::Close;
    } else if (verb == "shot") {
        step.verb = Verb::Shot;
        step.screen = in.TakeWord("screen");
        step.text = in.Text("the picture's name");
        for (const char c : step.text) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') {
                Fail(line, "a picture's name takes letters, digits, - and _ only");
            }
        }
    } else if (verb == "dump") {
        step.verb = Verb::Dump;
    } else if (verb == "insert") {
        step.verb = Verb::Insert;
        step.text = in.Text("the folder of the disk");
        if (step.text.empty() || step.text.find_first_of("\\/:") != std::string::npos) {
            Fail(line, "insert takes the name of a folder beside disk1, such as \"disk2\"");
        }
    } else if (verb == "eject") {
        step.verb = Verb::Insert;
    } else if (verb == "run") {
        step.verb = Verb::Run;
        step.text = in.Text("the command to run on the host");
        in.OptionalTimeout(step);
    } else if (verb == "kill") {
        step.verb = Verb::Kill;
    } else if (verb == "start") {
        step.verb = Verb::Start;
    } else if (verb == "auto") {
        step.verb = Verb::Autopilot;
        in.OptionalTimeout(step);
    } else {
        Fail(line, "unknown step \"" + verb + "\"");
    }
    in.End();
    return step;
}

} // namespace

std::string ControlRef::Describe() const {
    switch (kind) {
    case Kind::Id:
        return "control " + std::to_string(id);
    case Kind::Message:
        return "the message text";
    case Kind::Text:
        break;
    }
    return "control " + Quoted(text);
}

std::string WindowQuery::Describe() const {
    std::string description = messageBox ? "box" : dialog ? "dialog" : "window";
    if (caption) {
        description += " with caption " + Quoted(*caption);
    }
    if (className) {
        description += " of class " + Quoted(*className);
    }
    if (staticText) {
        description += " showing " + Quoted(*staticText);
    }
    if (controlId) {
        description += " with control " + std::to_string(*controlId);
    }
    return description;
}

Scenario ParseScenario(const std::string& text) {
    Scenario scenario;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::vector<Token> tokens = Tokenise(line, number);
        if (tokens.empty()) {
            continue;
        }
        std::size_t start = line.find_first_not_of(" \t");
        scenario.steps.push_back(ParseStep(std::move(tokens), number, line.substr(start)));
    }
    return scenario;
}

std::optional<KeyStroke> ParseKeyName(const std::string& name) {
    // Virtual-key codes of the platform; spelled out here so that the scenario reader stays
    // independent of the Windows headers.
    static const std::map<std::string, int> keys = {
        {"enter", 0x0D},  {"return", 0x0D},    {"escape", 0x1B}, {"esc", 0x1B},    {"space", 0x20},
        {"tab", 0x09},    {"backspace", 0x08}, {"delete", 0x2E}, {"insert", 0x2D}, {"up", 0x26},
        {"down", 0x28},   {"left", 0x25},      {"right", 0x27},  {"home", 0x24},   {"end", 0x23},
        {"pageup", 0x21}, {"pagedown", 0x22},
    };
    KeyStroke stroke;
    stroke.name = name;
    std::string rest = name;
    for (;;) {
        if (rest.rfind("shift+", 0) == 0) {
            stroke.shift = true;
            rest.erase(0, 6);
        } else if (rest.rfind("ctrl+", 0) == 0) {
            stroke.control = true;
            rest.erase(0, 5);
        } else if (rest.rfind("alt+", 0) == 0) {
            stroke.alt = true;
            rest.erase(0, 4);
        } else {
            break;
        }
    }
    if (const auto found = keys.find(rest); found != keys.end()) {
        stroke.virtualKey = found->second;
        return stroke;
    }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
        stroke.virtualKey = std::toupper(static_cast<unsigned char>(rest[0]));
        return stroke;
    }
    if (rest.size() >= 2 && rest.size() <= 3 && rest[0] == 'f' && IsNumber(rest.substr(1))) {
        const int function = std::stoi(rest.substr(1));
        if (function >= 1 && function <= 12) {
            stroke.virtualKey = 0x70 + function - 1;
            return stroke;
        }
    }
    return std::nullopt;
}

std::string NormaliseCaption(const std::string& caption) {
    std::string words;
    bool pendingSpace = false;
    for (const char c : caption) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            if (pendingSpace && !words.empty()) {
                words += ' ';
            }
            pendingSpace = false;
            words += c;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            pendingSpace = true;
        }
        // '&' and punctuation are dropped without separating the words around them.
    }
    return words;
}
