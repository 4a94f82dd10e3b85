#include "dbc/DbcFile.h"

#include "base/FileUtil.h"
#include "base/TextUtil.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

namespace kt {

namespace {

constexpr std::string_view kNoNode = "Vector__XXX";
constexpr std::uint32_t kExtendedFlag = 0x80000000u;
// The identifier of the pseudo message that holds signals of no message.
constexpr std::uint32_t kIndependentSignals = 0xC0000000u;
constexpr std::int64_t kMaxDlc = 0xFFFF;

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code points.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

struct Token {
    enum Kind { Word, String, Punct, End } kind = End;
    std::string text; // a string's content with its escapes resolved
    int line = 0;
    int column = 0;
    bool firstOnLine = false;
};

// Where and why reading failed; line and column count from 1.
struct DbcError {
    int line = 0;
    int column = 0;
    std::string description;
};

// Splits the text into words, quoted strings and the punctuation : ; , | @ ( ) [ ].
class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    // False with `error` set when a string is not closed.
    bool Next(Token& t, DbcError& error) {
        bool newLine = pos_ == 0; // a string over several lines does not start one
        while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') {
            if (text_[pos_] == '\n') newLine = true;
            Advance();
        }
        t = Token();
        t.line = line_;
        t.column = column_;
        t.firstOnLine = newLine;
        if (pos_ >= text_.size()) return true;
        const char c = text_[pos_];
        if (c == '"') {
            t.kind = Token::String;
            Advance();
            while (true) {
                if (pos_ >= text_.size()) {
                    error = {t.line, t.column, "the quoted text is not closed"};
                    return false;
                }
                const char s = text_[pos_];
                if (s == '"') break;
                if (s == '\\' && pos_ + 1 < text_.size() &&
                    (text_[pos_ + 1] == '"' || text_[pos_ + 1] == '\\')) {
                    Advance();
                    t.text += text_[pos_];
                } else {
                    t.text += s;
                }
                Advance();
            }
            Advance();
            return true;
        }
        if (IsPunct(c)) {
            t.kind = Token::Punct;
            t.text = c;
            Advance();
            return true;
        }
        t.kind = Token::Word;
        while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) > ' ' &&
               !IsPunct(text_[pos_]) && text_[pos_] != '"') {
            t.text += text_[pos_];
            Advance();
        }
        return true;
    }

private:
    static bool IsPunct(char c) {
        return c == ':' || c == ';' || c == ',' || c == '|' || c == '@' || c == '(' || c == ')' ||
               c == '[' || c == ']';
    }
    void Advance() {
        const char c = text_[pos_++];
        if (c == '\n') {
            ++line_;
            column_ = 1;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++column_; // columns count characters, not bytes
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
};

// The statement keywords: capitals, digits and underscores ending in an underscore.
bool IsKeyword(const Token& t) {
    if (t.kind != Token::Word) return false;
    if (t.text == "VERSION") return true;
    if (t.text.size() < 2 || t.text.back() != '_' || !(t.text[0] >= 'A' && t.text[0] <= 'Z'))
        return false;
    return std::all_of(t.text.begin(), t.text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

bool ParseInteger(const std::string& s, std::int64_t& out) {
    if (s.empty()) return false;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    const auto r = std::from_chars(first, last, out);
    return r.ec == std::errc() && r.ptr == last;
}

bool ParseNumber(const std::string& s) {
    if (s.empty()) return false;
    std::size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    bool digits = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c != '.' && c != 'e' && c != 'E' && c != '-' && c != '+') {
            return false;
        }
    }
    return digits;
}

// "M" (the multiplexer), "m<n>" (multiplexed by value n) or "m<n>M" (both).
bool IsMultiplexer(std::string_view s) {
    if (s == "M") return true;
    if (s.size() < 2 || s[0] != 'm') return false;
    s.remove_prefix(1);
    if (s.back() == 'M') s.remove_suffix(1);
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct AttributeDef {
    std::string object;              // "", "BU_", "BO_", "SG_", "EV_"
    std::string type;                // INT, HEX, FLOAT, STRING, ENUM
    std::vector<std::string> values; // ENUM texts
};

// A value as written: a number or a word, or a quoted text.
struct RawValue {
    std::string text;
    bool quoted = false;
    int line = 0, column = 0;
};

class Parser {
public:
    Parser(std::string_view text, DbcDatabase& db, DbcError& error)
        : lexer_(text), db_(db), error_(error) {}

    bool Run() {
        if (!Read()) return false;
        bool started = false, known = false;
        while (tok_.kind != Token::End) {
            if (!IsKeyword(tok_)) {
                return Fail(tok_, started ? "expected a DBC keyword, found \"" + Shown(tok_) + "\""
                                          : "this is not a DBC file: it starts with \"" +
                                                Shown(tok_) + "\"");
            }
            started = true;
            const std::string kw = tok_.text;
            known = known || kw == "VERSION" || kw == "NS_" || kw == "BS_" || kw == "BU_" ||
                    kw == "BO_";
            bool ok = true;
            if (kw == "VERSION" || kw == "BS_") {
                ok = SkipLine();
            } else if (kw == "NS_") {
                ok = SkipNewSymbols();
            } else if (kw == "BU_") {
                ok = Nodes();
            } else if (kw == "BO_") {
                ok = Message();
            } else if (kw == "SG_") {
                ok = Signal();
            } else if (kw == "BO_TX_BU_") {
                ok = Transmitters();
            } else if (kw == "CM_") {
                ok = Comment();
            } else if (kw == "BA_DEF_") {
                ok = AttributeDefinition();
            } else if (kw == "BA_DEF_DEF_") {
                ok = AttributeDefault();
            } else if (kw == "BA_") {
                ok = Attribute();
            } else {
                ok = SkipStatement();
            }
            if (!ok) return false;
        }
        if (!known)
            return Fail(Token{Token::End, {}, 1, 1, false},
                        started ? "this is not a DBC file: it has no VERSION, NS_, BS_, "
                                  "BU_ or BO_ section"
                                : "this is not a DBC file: it is empty");
        return Resolve();
    }

private:
    static std::string Shown(const Token& t) {
        return Abridged(t.kind == Token::String ? "\"" + t.text + "\"" : t.text);
    }
    bool Fail(const Token& at, std::string why) {
        error_ = {at.line, at.column, std::move(why)};
        return false;
    }
    bool Read() { return lexer_.Next(tok_, error_); }
    bool AtLineStart() const { return tok_.kind == Token::End || tok_.firstOnLine; }

    bool SkipLine() {
        if (!Read()) return false;
        while (!AtLineStart())
            if (!Read()) return false;
        return true;
    }
    // NS_ : followed by indented names, one a line.
    bool SkipNewSymbols() {
        if (!Read()) return false;
        while (tok_.kind != Token::End && (!tok_.firstOnLine || tok_.column > 1 ||
                                           (tok_.kind == Token::Punct && tok_.text == ":")))
            if (!Read()) return false;
        return true;
    }
    // Up to and with the next ";", or up to the next line that starts with a keyword.
    bool SkipStatement() {
        if (!Read()) return false;
        while (tok_.kind != Token::End) {
            if (tok_.kind == Token::Punct && tok_.text == ";") return Read();
            if (tok_.firstOnLine && IsKeyword(tok_)) return true;
            if (!Read()) return false;
        }
        return true;
    }
    bool Expect(const char* punct, const std::string& what) {
        if (tok_.kind != Token::Punct || tok_.text != punct)
            return Fail(tok_, "expected \"" + std::string(punct) + "\" " + what);
        return Read();
    }
    bool SameLine(int line) const { return tok_.kind != Token::End && tok_.line == line; }
    bool Word(int line, const std::string& what, std::string& out) {
        if (!SameLine(line) || tok_.kind != Token::Word) return Fail(tok_, "expected " + what);
        out = tok_.text;
        return Read();
    }
    bool Integer(int line, const std::string& what, std::int64_t lo, std::int64_t hi,
                 std::int64_t& out) {
        const Token at = tok_;
        std::string text;
        if (!Word(line, what, text)) return false;
        if (!ParseInteger(text, out))
            return Fail(at, what + " is not a number: \"" + Abridged(text) + "\"");
        if (out < lo || out > hi) return Fail(at, what + " out of range: " + Abridged(text));
        return true;
    }
    bool Semicolon() { return Expect(";", "at the end of the statement"); }

    // BU_: names up to the next statement; tools wrap a long node list over several lines.
    bool Nodes() {
        if (!Read()) return false;
        if (!Expect(":", "after BU_")) return false;
        while (tok_.kind != Token::End && !IsKeyword(tok_)) {
            if (tok_.kind != Token::Word) return Fail(tok_, "expected a node name");
            if (nodeSet_.insert(tok_.text).second) db_.nodes.push_back(tok_.text);
            if (!Read()) return false;
        }
        return true;
    }

    // BO_ id name: dlc transmitter
    bool Message() {
        const Token start = tok_;
        const int line = tok_.line;
        if (!Read()) return false;
        std::int64_t raw = 0;
        const Token idTok = tok_;
        if (!Integer(line, "the message identifier", 0, 0xFFFFFFFF, raw)) return false;
        DbcMessage m;
        m.line = line;
        const auto stored = static_cast<std::uint32_t>(raw);
        m.extended = (stored & kExtendedFlag) != 0;
        m.id = stored & ~kExtendedFlag;
        if (!Word(line, "the message name", m.name)) return false;
        if (!Expect(":", "after the message name")) return false;
        std::int64_t dlc = 0;
        if (!Integer(line, "the message length", 0, kMaxDlc, dlc)) return false;
        m.dlc = static_cast<int>(dlc);
        if (!Word(line, "the transmitting node", m.transmitter)) return false;
        if (SameLine(line))
            return Fail(tok_, "unexpected \"" + Shown(tok_) + "\" after the message");
        if (m.transmitter == kNoNode) m.transmitter.clear();
        if (stored == kIndependentSignals) {
            current_ = kNone; // its signals belong to no frame
            independent_ = true;
            return true;
        }
        if (m.extended ? m.id > 0x1FFFFFFF : m.id > 0x7FF)
            return Fail(idTok, "the identifier " + std::to_string(raw) + " is out of range for " +
                                   (m.extended ? "29" : "11") + " bits");
        if (const auto it = byId_.find(stored); it != byId_.end()) {
            const DbcMessage& other = db_.messages[it->second];
            return Fail(start, "message " + Abridged(m.name) + " repeats the identifier of " +
                                   Abridged(other.name) + " (line " + std::to_string(other.line) +
                                   ")");
        }
        current_ = db_.messages.size();
        byId_[stored] = current_;
        db_.messages.push_back(std::move(m));
        independent_ = false;
        return true;
    }

    // SG_ name [mux] : start|length@order (factor,offset) [min|max] "unit" receivers
    bool Signal() {
        const int line = tok_.line;
        if (current_ == kNone && !independent_)
            return Fail(tok_, "a signal outside of any message");
        if (!Read()) return false;
        std::string name, value;
        if (!Word(line, "the signal name", name)) return false;
        if (SameLine(line) && tok_.kind == Token::Word) {
            if (!IsMultiplexer(tok_.text))
                return Fail(tok_, "expected \":\" or a multiplexer after the signal name");
            if (!Read()) return false;
        }
        if (!Expect(":", "after the signal name")) return false;
        std::int64_t n = 0;
        if (!Integer(line, "the start bit", 0, 0xFFFF, n)) return false;
        if (!Expect("|", "after the start bit")) return false;
        if (!Integer(line, "the signal length", 0, 0xFFFF, n)) return false;
        if (!Expect("@", "after the signal length")) return false;
        const Token order = tok_;
        if (!Word(line, "the byte order and sign", value)) return false;
        if (value != "0+" && value != "0-" && value != "1+" && value != "1-")
            return Fail(order, "the byte order and sign must be 0+, 0-, 1+ or 1-");
        if (!Expect("(", "before the factor")) return false;
        if (!NumberWord(line, "the factor")) return false;
        if (!Expect(",", "after the factor")) return false;
        if (!NumberWord(line, "the offset")) return false;
        if (!Expect(")", "after the offset")) return false;
        if (!Expect("[", "before the minimum")) return false;
        if (!NumberWord(line, "the minimum")) return false;
        if (!Expect("|", "after the minimum")) return false;
        if (!NumberWord(line, "the maximum")) return false;
        if (!Expect("]", "after the maximum")) return false;
        if (!SameLine(line) || tok_.kind != Token::String)
            return Fail(tok_, "expected the quoted unit");
        if (!Read()) return false;
        while (true) {
            std::string receiver;
            if (!Word(line, "a receiving node", receiver)) return false;
            if (current_ != kNone && receiver != kNoNode) {
                if (receiverSet_.insert({current_, receiver}).second)
                    db_.messages[current_].receivers.push_back(receiver);
            }
            if (!SameLine(line)) return true;
            if (!Expect(",", "between the receiving nodes")) return false;
        }
    }
    bool NumberWord(int line, const std::string& what) {
        const Token at = tok_;
        std::string text;
        if (!Word(line, what, text)) return false;
        if (!ParseNumber(text))
            return Fail(at, what + " is not a number: \"" + Abridged(text) + "\"");
        return true;
    }

    DbcMessage* Find(std::uint32_t stored) {
        const auto it = byId_.find(stored);
        return it == byId_.end() ? nullptr : &db_.messages[it->second];
    }
    // A message's identifier inside a statement; messages not in the file are skipped by the
    // caller (null), as is the pseudo message.
    bool MessageRef(DbcMessage*& m) {
        std::int64_t raw = 0;
        const Token at = tok_;
        if (tok_.kind != Token::Word || !ParseInteger(tok_.text, raw) || raw < 0 ||
            raw > 0xFFFFFFFF)
            return Fail(at, "expected a message identifier");
        m = Find(static_cast<std::uint32_t>(raw));
        return Read();
    }

    // BO_TX_BU_ id : node, node ;
    bool Transmitters() {
        if (!Read()) return false;
        DbcMessage* m = nullptr;
        if (!MessageRef(m)) return false;
        if (!Expect(":", "after the message identifier")) return false;
        while (tok_.kind == Token::Word) {
            if (m && tok_.text != kNoNode && tok_.text != m->transmitter &&
                transmitterSet_.insert({std::size_t(m - db_.messages.data()), tok_.text}).second)
                m->transmitters.push_back(tok_.text);
            if (!Read()) return false;
            if (tok_.kind == Token::Punct && tok_.text == ",")
                if (!Read()) return false;
        }
        return Semicolon();
    }

    // CM_ [BU_ name | BO_ id | SG_ id name | EV_ name] "text" ;
    bool Comment() {
        if (!Read()) return false;
        DbcMessage* m = nullptr;
        if (tok_.kind == Token::Word) {
            const std::string object = tok_.text;
            if (!Read()) return false;
            if (object == "BO_") {
                if (!MessageRef(m)) return false;
            } else if (object == "BU_" || object == "EV_" || object == "SG_") {
                for (int words = object == "SG_" ? 2 : 1; words > 0; --words) {
                    if (tok_.kind != Token::Word)
                        return Fail(tok_, "expected a name in the comment");
                    if (!Read()) return false;
                }
            } else {
                return Fail(tok_, "unknown kind of comment \"" + Abridged(object) + "\"");
            }
        }
        if (tok_.kind != Token::String) return Fail(tok_, "expected the quoted comment");
        if (m) m->comment = tok_.text;
        if (!Read()) return false;
        return Semicolon();
    }

    // BA_DEF_ [BU_|BO_|SG_|EV_] "name" INT min max | HEX min max | FLOAT min max | STRING |
    // ENUM "a","b",... ;
    bool AttributeDefinition() {
        if (!Read()) return false;
        AttributeDef def;
        if (tok_.kind == Token::Word) {
            def.object = tok_.text;
            if (def.object != "BU_" && def.object != "BO_" && def.object != "SG_" &&
                def.object != "EV_")
                return Fail(tok_, "unknown kind of attribute \"" + Abridged(def.object) + "\"");
            if (!Read()) return false;
        }
        if (tok_.kind != Token::String) return Fail(tok_, "expected the quoted attribute name");
        const std::string name = tok_.text;
        if (!Read()) return false;
        const Token typeTok = tok_;
        if (tok_.kind != Token::Word) return Fail(tok_, "expected the attribute type");
        def.type = tok_.text;
        if (!Read()) return false;
        if (def.type == "INT" || def.type == "HEX" || def.type == "FLOAT") {
            for (const char* what : {"the minimum", "the maximum"}) {
                if (tok_.kind != Token::Word || !ParseNumber(tok_.text))
                    return Fail(tok_, std::string("expected ") + what + " of the attribute");
                if (!Read()) return false;
            }
        } else if (def.type == "ENUM") {
            while (tok_.kind == Token::String) {
                def.values.push_back(tok_.text);
                if (!Read()) return false;
                if (tok_.kind == Token::Punct && tok_.text == ",")
                    if (!Read()) return false;
            }
        } else if (def.type != "STRING") {
            return Fail(typeTok, "unknown attribute type \"" + Abridged(def.type) + "\"");
        }
        if (!Semicolon()) return false;
        defs_[name] = std::move(def);
        return true;
    }

    bool Value(RawValue& v) {
        if (tok_.kind != Token::String && tok_.kind != Token::Word)
            return Fail(tok_, "expected the attribute value");
        v = {tok_.text, tok_.kind == Token::String, tok_.line, tok_.column};
        return Read();
    }

    // BA_DEF_DEF_ "name" value ;
    bool AttributeDefault() {
        if (!Read()) return false;
        if (tok_.kind != Token::String) return Fail(tok_, "expected the quoted attribute name");
        const std::string name = tok_.text;
        if (!Read()) return false;
        RawValue v;
        if (!Value(v) || !Semicolon()) return false;
        defaults_[name] = v;
        return true;
    }

    // BA_ "name" [BU_ name | BO_ id | SG_ id name | EV_ name] value ;
    bool Attribute() {
        if (!Read()) return false;
        if (tok_.kind != Token::String) return Fail(tok_, "expected the quoted attribute name");
        const std::string name = tok_.text;
        if (!Read()) return false;
        DbcMessage* m = nullptr;
        bool onMessage = false;
        if (tok_.kind == Token::Word && (tok_.text == "BU_" || tok_.text == "BO_" ||
                                         tok_.text == "SG_" || tok_.text == "EV_")) {
            const std::string object = tok_.text;
            if (!Read()) return false;
            if (object == "BO_") {
                onMessage = true;
                if (!MessageRef(m)) return false;
            } else if (object == "SG_") {
                if (!MessageRef(m)) return false;
                m = nullptr;
                if (tok_.kind != Token::Word) return Fail(tok_, "expected the signal name");
                if (!Read()) return false;
            } else {
                if (tok_.kind != Token::Word) return Fail(tok_, "expected a name");
                if (!Read()) return false;
            }
        }
        RawValue v;
        if (!Value(v) || !Semicolon()) return false;
        if (onMessage && m) values_[static_cast<std::size_t>(m - db_.messages.data())][name] = v;
        return true;
    }

    // An attribute's value as text: enumerations by index or by name, numbers as integers.
    bool Resolved(const std::string& name, const RawValue& v, std::string& out) {
        const auto def = defs_.find(name);
        if (def == defs_.end() || def->second.type != "ENUM") {
            out = v.text;
            return true;
        }
        const auto& values = def->second.values;
        std::int64_t index = 0;
        if (!v.quoted && ParseInteger(v.text, index)) {
            if (index < 0 || index >= static_cast<std::int64_t>(values.size()))
                return Fail(Token{Token::Word, v.text, v.line, v.column, false},
                            "value " + Abridged(v.text) + " of " + Abridged(name) +
                                " is not one of its " + std::to_string(values.size()) + " entries");
            out = values[static_cast<std::size_t>(index)];
            return true;
        }
        if (std::find(values.begin(), values.end(), v.text) == values.end())
            return Fail(Token{Token::Word, v.text, v.line, v.column, false},
                        "\"" + Abridged(v.text) + "\" is not an entry of " + Abridged(name));
        out = v.text;
        return true;
    }

    bool Resolve() {
        for (std::size_t i = 0; i < db_.messages.size(); ++i) {
            DbcMessage& m = db_.messages[i];
            const auto& given = values_[i];
            const auto value = [&](const std::string& name) -> const RawValue* {
                if (auto it = given.find(name); it != given.end()) return &it->second;
                if (auto it = defaults_.find(name); it != defaults_.end()) return &it->second;
                return nullptr;
            };
            if (const RawValue* v = value("GenMsgCycleTime")) {
                std::int64_t ms = 0;
                if (!ParseInteger(v->text, ms) || ms < 0 || ms > 0x7FFFFFFF)
                    return Fail(Token{Token::Word, v->text, v->line, v->column, false},
                                "GenMsgCycleTime must be a whole number of milliseconds, not \"" +
                                    Abridged(v->text) + "\"");
                m.cycleTime = ms;
            }
            if (const RawValue* v = value("GenMsgSendType"))
                if (!Resolved("GenMsgSendType", *v, m.sendType)) return false;
            if (const RawValue* v = value("VFrameFormat"))
                if (!Resolved("VFrameFormat", *v, m.frameFormat)) return false;
        }
        return true;
    }

    Lexer lexer_;
    DbcDatabase& db_;
    DbcError& error_;
    Token tok_;
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t current_ = kNone;               // the message the next SG_ lines belong to
    bool independent_ = false;                  // inside the pseudo message
    std::map<std::uint32_t, std::size_t> byId_; // stored identifier -> message
    std::map<std::string, AttributeDef> defs_;
    std::map<std::string, RawValue> defaults_;
    std::map<std::size_t, std::map<std::string, RawValue>> values_;
    // Beside the lists, so that a list of thousands of names stays linear to read.
    std::set<std::string> nodeSet_;
    std::set<std::pair<std::size_t, std::string>> receiverSet_, transmitterSet_;
};

} // namespace

bool DbcMessage::sentBy(std::string_view node) const {
    return !node.empty() &&
           (transmitter == node ||
            std::find(transmitters.begin(), transmitters.end(), node) != transmitters.end());
}

bool DbcMessage::receivedBy(std::string_view node) const {
    return std::find(receivers.begin(), receivers.end(), node) != receivers.end();
}

bool DbcMessage::isCanFd() const {
    return dlc > 8 || frameFormat.find("_FD") != std::string::npos;
}

std::string DbcTextToUtf8(std::string_view bytes) {
    std::string text;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) {
        text.assign(bytes);
    } else {
        text.reserve(bytes.size() + bytes.size() / 8);
        for (const char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            AppendUtf8(text, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t(b));
        }
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

Result<DbcDatabase> ParseDbc(std::string_view bytes) {
    Result<DbcDatabase> read;
    const std::string text = DbcTextToUtf8(bytes);
    DbcError error;
    Parser parser(text, read.value, error);
    if (!parser.Run())
        return {{},
                Status::malformed(error.line == 0 ? error.description
                                                  : "line " + std::to_string(error.line) +
                                                        ", column " + std::to_string(error.column) +
                                                        ": " + error.description)};
    return read;
}

Result<DbcDatabase> ReadDbcFile(const std::filesystem::path& file) {
    const Result<std::string> bytes = ReadFileBytes(file, MaxDbcFileBytes);
    if (!bytes) return {{}, bytes.status};
    return ParseDbc(bytes.value);
}

} // namespace kt
