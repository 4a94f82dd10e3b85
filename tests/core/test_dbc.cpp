// The DBC reader, the mapping of messages to frame rows, and the import's refusals.

#include "dbc/DbcImport.h"
#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace kt;

namespace {

// A small network: standard, extended and CAN FD messages, a multiplexed one, a comment over
// two lines with escaped quotes, attributes with defaults and enumerations, CR LF lines.
const std::string kNetwork =
    "VERSION \"1.2\"\r\n\r\n"
    "NS_ :\r\n\tNS_DESC_\r\n\tCM_\r\n\tBA_DEF_\r\n\tBA_\r\n\r\n"
    "BS_:\r\n\r\n"
    "BU_: Engine Gateway Dash Logger\r\n\r\n"
    "BO_ 291 EngineData: 8 Engine\r\n"
    " SG_ Speed : 0|16@1+ (0.1,0) [0|6553.5] \"km/h\" Gateway,Dash\r\n"
    " SG_ Mode M : 16|8@1+ (1,0) [0|3] \"\" Gateway\r\n"
    " SG_ Temp m0 : 24|8@1- (1,-40) [-40|215] \"degC\" Dash\r\n\r\n"
    "BO_ 2566844417 Diag: 4 Gateway\r\n"
    " SG_ Code : 0|8@0+ (1,0) [0|255] \"\" Engine\r\n\r\n"
    "BO_ 512 Media: 64 Dash\r\n\r\n"
    "BO_ 1024 Lamp: 2 Dash\r\n"
    " SG_ On : 0|1@1+ (1,0) [0|1] \"\" Vector__XXX\r\n\r\n"
    "BO_ 3221225472 VECTOR__INDEPENDENT_SIG_MSG: 0 Vector__XXX\r\n"
    " SG_ Orphan : 0|8@1+ (1,0) [0|1] \"\" Dash\r\n\r\n"
    "BO_TX_BU_ 1024 : Dash,Gateway;\r\n"
    "CM_ \"network comment\";\r\n"
    "CM_ BO_ 291 \"Engine \\\"main\\\" data;\r\nsent by the engine\";\r\n"
    "CM_ SG_ 291 Speed \"vehicle speed\";\r\n"
    "BA_DEF_ BO_ \"GenMsgCycleTime\" INT 0 65535;\r\n"
    "BA_DEF_ BO_ \"GenMsgSendType\" ENUM "
    "\"Cyclic\",\"Spontaneous\",\"CyclicAndSpontan\",\"NoMsgSendType\";\r\n"
    "BA_DEF_ BO_ \"VFrameFormat\" ENUM "
    "\"StandardCAN\",\"ExtendedCAN\",\"reserved\",\"J1939PG\",\"StandardCAN_FD\";\r\n"
    "BA_DEF_ \"BusType\" STRING ;\r\n"
    "BA_DEF_DEF_ \"GenMsgCycleTime\" 0;\r\n"
    "BA_DEF_DEF_ \"GenMsgSendType\" \"Cyclic\";\r\n"
    "BA_DEF_DEF_ \"VFrameFormat\" \"StandardCAN\";\r\n"
    "BA_ \"BusType\" \"CAN\";\r\n"
    "BA_ \"GenMsgCycleTime\" BO_ 291 100;\r\n"
    "BA_ \"GenMsgSendType\" BO_ 2566844417 1;\r\n"
    "BA_ \"VFrameFormat\" BO_ 2566844417 3;\r\n"
    "BA_ \"GenMsgSendType\" BO_ 1024 2;\r\n"
    "BA_ \"GenMsgCycleTime\" BO_ 1024 50;\r\n"
    "BA_ \"VFrameFormat\" BO_ 512 4;\r\n"
    "VAL_ 291 Mode 0 \"off;\" 1 \"on\" ;\r\n";

LanguageTable English() {
    LanguageTable t;
    t.Load_Default_Texts();
    return t;
}

DbcDatabase Parsed(const std::string& text) {
    const Result<DbcDatabase> read = ParseDbc(text);
    EXPECT_TRUE(read.ok()) << read.status.message;
    return read.value;
}

// Line and column of a refusal, which begins "line L, column C: "; the rest in `why`.
struct DbcPlace {
    int line = 0, column = 0;
    std::string why;
};
DbcPlace PlaceOf(const std::string& message) {
    DbcPlace p;
    int used = 0;
    if (std::sscanf(message.c_str(), "line %d, column %d: %n", &p.line, &p.column, &used) == 2 &&
        used > 0)
        p.why = message.substr(std::size_t(used));
    return p;
}

} // namespace

TEST(DbcReader, ReadsMessagesNodesCommentsAndAttributes) {
    const DbcDatabase db = Parsed(kNetwork);
    EXPECT_EQ(db.nodes, (std::vector<std::string>{"Engine", "Gateway", "Dash", "Logger"}));
    ASSERT_EQ(db.messages.size(), 4u); // the pseudo message is left out
    const DbcMessage& engine = db.messages[0];
    EXPECT_EQ(engine.id, 0x123u);
    EXPECT_FALSE(engine.extended);
    EXPECT_EQ(engine.name, "EngineData");
    EXPECT_EQ(engine.dlc, 8);
    EXPECT_EQ(engine.transmitter, "Engine");
    EXPECT_EQ(engine.receivers, (std::vector<std::string>{"Gateway", "Dash"}));
    EXPECT_EQ(engine.comment, "Engine \"main\" data;\nsent by the engine");
    EXPECT_EQ(engine.cycleTime, 100);
    EXPECT_EQ(engine.sendType, "Cyclic"); // the default, given as text
    EXPECT_EQ(engine.frameFormat, "StandardCAN");
    EXPECT_EQ(engine.line, 13);

    const DbcMessage& diag = db.messages[1];
    EXPECT_EQ(diag.id, 0x18FEF001u); // 2566844417 without bit 31
    EXPECT_TRUE(diag.extended);
    EXPECT_EQ(diag.sendType, "Spontaneous"); // index 1 of the enumeration
    EXPECT_EQ(diag.frameFormat, "J1939PG");
    EXPECT_EQ(diag.cycleTime, 0);
    EXPECT_EQ(diag.receivers, std::vector<std::string>{"Engine"});

    EXPECT_TRUE(db.messages[2].isCanFd());
    const DbcMessage& lamp = db.messages[3];
    EXPECT_TRUE(lamp.receivers.empty()); // Vector__XXX is no node
    EXPECT_EQ(lamp.transmitters, std::vector<std::string>{"Gateway"});
    EXPECT_TRUE(lamp.sentBy("Gateway"));
    EXPECT_FALSE(lamp.isCanFd());
}

TEST(DbcReader, EncodingsAndLineEnds) {
    const std::string body = "BU_: N\nBO_ 16 M\xC3\xBC"
                             "ller: 1 N\n";
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"utf8", body},
        {"utf8 bom", "\xEF\xBB\xBF" + body},
        {"windows-1252", "BU_: N\r\nBO_ 16 M\xFCller: 1 N\r\n"},
        {"cr lf", "BU_: N\r\nBO_ 16 M\xC3\xBCller: 1 N\r\n"},
    };
    for (const Case& c : cases) {
        const DbcDatabase db = Parsed(c.bytes);
        ASSERT_EQ(db.messages.size(), 1u) << c.name;
        EXPECT_EQ(db.messages[0].name, "M\xC3\xBCller") << c.name;
        EXPECT_EQ(db.messages[0].line, 2) << c.name;
    }
    EXPECT_EQ(DbcTextToUtf8("\x80\x9F"), "\xE2\x82\xAC\xC5\xB8"); // euro sign, Y diaeresis
}

TEST(DbcReader, ReportsWhereAndWhy) {
    struct Case {
        const char* name;
        std::string text;
        int line, column;
        const char* says;
    } cases[] = {
        {"empty", "", 1, 1, "not a DBC file: it is empty"},
        {"xml", "<Receive_Frames/>", 1, 1, "not a DBC file"},
        {"no section", "CM_ \"x\";\n", 1, 1, "no VERSION"},
        {"message without length", "BU_: A\nBO_ 1 M: A\n", 2, 10, "the message length"},
        {"message name without colon", "BO_ 1 M 8 A\n", 1, 9, "expected \":\""},
        {"identifier not a number", "BO_ x12 M: 8 A\n", 1, 5, "the message identifier"},
        {"standard identifier too large", "BO_ 2048 M: 8 A\n", 1, 5, "out of range for 11 bits"},
        {"extra text after message", "BO_ 1 M: 8 A B\n", 1, 14, "unexpected"},
        {"repeated identifier", "BO_ 1 M: 8 A\nBO_ 1 N: 8 A\n", 2, 1, "repeats the identifier"},
        {"signal outside message", "BU_: A\n SG_ S : 0|8@1+ (1,0) [0|1] \"\" A\n", 2, 2,
         "outside of any message"},
        {"signal byte order", "BO_ 1 M: 8 A\n SG_ S : 0|8@2+ (1,0) [0|1] \"\" A\n", 2, 14,
         "byte order"},
        {"open comment", "BO_ 1 M: 8 A\nCM_ BO_ 1 \"never closed;\n", 2, 11, "not closed"},
        {"enum index out of range",
         "BO_ 1 M: 8 A\nBA_DEF_ BO_ \"GenMsgSendType\" ENUM \"Cyclic\";\n"
         "BA_ \"GenMsgSendType\" BO_ 1 4;\n",
         3, 28, "not one of its 1 entries"},
        {"cycle time not whole",
         "BO_ 1 M: 8 A\nBA_DEF_ BO_ \"GenMsgCycleTime\" INT 0 9;\nBA_ \"GenMsgCycleTime\" BO_ 1 "
         "1.5;\n",
         3, 29, "whole number"},
        {"not a keyword", "BO_ 1 M: 8 A\nhello\n", 2, 1, "expected a DBC keyword"},
    };
    for (const Case& c : cases) {
        const Result<DbcDatabase> read = ParseDbc(c.text);
        EXPECT_EQ(read.status.code, StatusCode::Malformed) << c.name;
        const std::string& text = read.status.message;
        const DbcPlace error = PlaceOf(text);
        EXPECT_EQ(error.line, c.line) << c.name << ": " << text;
        EXPECT_EQ(error.column, c.column) << c.name << ": " << text;
        EXPECT_NE(error.why.find(c.says), std::string::npos) << c.name << ": " << text;
    }
}

// A hostile file's text shows in a message only as its first few dozen characters.
TEST(DbcReader, MessagesQuoteOnlyTheBeginningOfLongText) {
    const std::string huge(1'000'000, '7');
    const std::string cases[] = {
        "BO_ " + huge + "x M: 8 A\n",
        "BO_ 1 M: " + huge + " A\n",
        "BO_ 1 M: 8 A\n SG_ S : 0|8@1+ (" + huge + "x,0) [0|1] \"\" A\n",
        "BO_ 1 M" + huge + ": 8 A\nBO_ 1 N: 8 A\n",
        "BO_ 1 M: 8 A\nBA_DEF_ BO_ \"GenMsgCycleTime\" INT 0 9;\nBA_ \"GenMsgCycleTime\" BO_ 1 "
        "x" +
            huge + ";\n",
        "hello" + huge + "\n",
    };
    for (const std::string& text : cases) {
        const Result<DbcDatabase> read = ParseDbc(text);
        EXPECT_FALSE(read.ok());
        EXPECT_LT(read.status.message.size(), 200u) << read.status.message.substr(0, 300);
    }
}

// Tools wrap a long node list over several lines; the list ends at the next statement.
TEST(DbcReader, NodeListOverSeveralLines) {
    const DbcDatabase wrapped =
        Parsed("VERSION \"\"\r\nBU_: Engine Gateway\r\n  Dash\r\n\tLogger\r\n\r\n"
               "BO_ 256 Speed: 8 Engine\r\n");
    EXPECT_EQ(wrapped.nodes, (std::vector<std::string>{"Engine", "Gateway", "Dash", "Logger"}));
    ASSERT_EQ(wrapped.messages.size(), 1u);
    EXPECT_EQ(wrapped.messages[0].transmitter, "Engine");
    EXPECT_TRUE(Parsed("BU_:\nBO_ 1 M: 8 A\n").nodes.empty());
}

// Node lists and receivers are kept once each, in file order, however many there are.
TEST(DbcReader, LongNodeAndReceiverLists) {
    constexpr int kCount = 40000;
    std::string nodes = "BU_:", receivers;
    for (int i = 0; i < kCount; ++i) {
        nodes += " N" + std::to_string(i);
        receivers += (i ? "," : "") + std::string("N") + std::to_string(i);
    }
    const std::string signal = " SG_ S : 0|8@1+ (1,0) [0|1] \"\" ";
    const DbcDatabase db = Parsed(nodes + " N0 N1\nBO_ 1 M: 8 N0\n" + signal + receivers + ",N5\n" +
                                  signal + "N7,N40001\n");
    ASSERT_EQ(db.nodes.size(), std::size_t(kCount));
    EXPECT_EQ(db.nodes[kCount - 1], "N" + std::to_string(kCount - 1));
    ASSERT_EQ(db.messages.size(), 1u);
    const auto& r = db.messages[0].receivers;
    ASSERT_EQ(r.size(), std::size_t(kCount + 1));
    EXPECT_EQ(r[5], "N5");
    EXPECT_EQ(r.back(), "N40001");
}

TEST(DbcReader, SkipsWhatItDoesNotNeed) {
    const DbcDatabase db = Parsed("VERSION \"\"\nBU_: A\nVAL_TABLE_ T 1 \"a;b\" 0 \"c\" ;\n"
                                  "BO_ 5 M: 1 A\nSIG_VALTYPE_ 5 S : 1;\nEV_ E: 0 [0|1] \"\" 0 1 "
                                  "DUMMY_NODE_VECTOR0 A;\nBA_DEF_REL_ BU_SG_REL_ \"X\" INT 0 1;\n"
                                  "SGTYPE_ unfinished\nBO_ 6 N: 2 A\n");
    ASSERT_EQ(db.messages.size(), 2u);
    EXPECT_EQ(db.messages[1].name, "N");
}

TEST(DbcImport, RowsOfMessagesForBothLists) {
    const DbcDatabase db = Parsed(kNetwork);
    const auto& m = db.messages;
    struct Case {
        const char* name;
        const DbcMessage& message;
        FrameKind kind;
        int factor;
        FrameRow row;
    } cases[] = {
        {"cyclic receive",
         m[0],
         FrameKind::Receive,
         3,
         {"0x123", "2.0A (11 bits)", "8", "0", "300", "EngineData"}},
        {"receive time-out off",
         m[0],
         FrameKind::Receive,
         0,
         {"0x123", "2.0A (11 bits)", "8", "0", "0", "EngineData"}},
        {"extended without cycle",
         m[1],
         FrameKind::Receive,
         3,
         {"0x18FEF001", "2.0B (29 bits)", "4", "0", "0", "Diag"}},
        {"cyclic transmit",
         m[0],
         FrameKind::Transmit,
         3,
         {"0x123", "2.0A (11 bits)", "8", "0", "N", "Y", "100", "EngineData"}},
        {"event transmit",
         m[1],
         FrameKind::Transmit,
         3,
         {"0x18FEF001", "2.0B (29 bits)", "4", "0", "Y", "N", "", "Diag"}},
        {"cyclic and event transmit",
         m[3],
         FrameKind::Transmit,
         3,
         {"0x400", "2.0A (11 bits)", "2", "0", "Y", "Y", "50", "Lamp"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImportedRow(c.message, c.kind, c.factor), c.row) << c.name;

    DbcMessage bare; // no send type: a cycle time alone means cyclic
    bare.id = 7;
    bare.dlc = 1;
    bare.name = "Bare";
    bare.cycleTime = 20;
    EXPECT_EQ(ImportedRow(bare, FrameKind::Transmit, 3),
              (FrameRow{"0x007", "2.0A (11 bits)", "1", "0", "N", "Y", "20", "Bare"}));

    // A name longer than the editors show is cut, between characters.
    std::string longName(63, 'L');
    bare.name = longName + "\xC3\xA4" + std::string(100000, 'x');
    for (FrameKind kind : {FrameKind::Receive, FrameKind::Transmit})
        EXPECT_EQ(ImportedRow(bare, kind, 3).back(), longName + "\xC3\xA4");
}

TEST(DbcImport, NodePreselection) {
    const DbcDatabase db = Parsed(kNetwork);
    const auto names = [&](FrameKind kind, const std::string& node) {
        std::vector<std::string> out;
        const std::vector<bool> fits = Preselection(db, kind, node);
        for (std::size_t i = 0; i < fits.size(); ++i)
            if (fits[i]) out.push_back(db.messages[i].name);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(names(FrameKind::Receive, "Dash"), V{"EngineData"});
    EXPECT_EQ(names(FrameKind::Receive, "Engine"), V{"Diag"});
    // A node no signal names as receiver: what the others send.
    EXPECT_EQ(names(FrameKind::Receive, "Logger"), (V{"EngineData", "Diag", "Media", "Lamp"}));
    EXPECT_EQ(names(FrameKind::Transmit, "Dash"), (V{"Media", "Lamp"}));
    EXPECT_EQ(names(FrameKind::Transmit, "Gateway"), (V{"Diag", "Lamp"}));
    EXPECT_EQ(names(FrameKind::Receive, ""), V{});
}

TEST(DbcImport, FillsTheFirstEmptyRowsOrRefusesAll) {
    const LanguageTable texts = English();
    const DbcDatabase db = Parsed(kNetwork);
    const auto& m = db.messages;
    FrameList list(FrameKind::Receive);
    list.setRow(0, {"1", "2.0A (11 bits)", "1", "0", "0", "kept"});
    list.setRow(2, {"", "", "", "", "", "a note"}); // not empty: left alone
    Result<std::vector<ImportedRowAt>> plan = PlanImport(list, {&m[0], &m[1], &m[3]}, 3, texts);
    EXPECT_EQ(plan.status.message, "");
    EXPECT_TRUE(plan.ok());
    const std::vector<ImportedRowAt>& rows = plan.value;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].row, 1);
    EXPECT_EQ(rows[1].row, 3);
    EXPECT_EQ(rows[2].row, 4);
    ApplyImport(list, rows);
    EXPECT_EQ(list.field(0, RxMnemonic), "kept");
    EXPECT_EQ(list.row(3), (FrameRow{"0x18FEF001", "2.0B (29 bits)", "4", "0", "0", "Diag"}));

    plan = PlanImport(list, {&m[0], &m[2]}, 3, texts);
    EXPECT_EQ(plan.status.code, StatusCode::Refused);
    EXPECT_EQ(plan.status.message,
              "These messages are CAN FD frames (more than 8 data bytes) and cannot be imported: "
              "Media (0x200)");
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(PlanImport(list, {}, 3, texts).status.message,
              "Choose at least one message to import");

    FrameList full(FrameKind::Transmit);
    for (int r = 0; r < 29; ++r)
        full.setField(r, TxCOBID, std::to_string(r + 1));
    plan = PlanImport(full, {&m[0], &m[1], &m[3]}, 3, texts);
    EXPECT_EQ(plan.status.message,
              "Not enough empty rows: messages chosen 3, empty rows 1. Not imported: Diag "
              "(0x18FEF001), Lamp (0x400)");
    EXPECT_TRUE(rows.empty());
    // Unchecked boxes do not make a row used.
    full.setField(29, TxOnChange, "N");
    EXPECT_TRUE(IsEmptyRow(full, 29));
    full.setField(29, TxOnTimer, "Y");
    EXPECT_FALSE(IsEmptyRow(full, 29));
}
