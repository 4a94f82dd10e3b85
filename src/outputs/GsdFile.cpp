#include "outputs/GsdFile.h"

#include "base/FileUtil.h"
#include "base/Identity.h"
#include "base/TextUtil.h"
#include "base/XmlUtil.h"
#include "lang/LanguageTable.h"
#include "project/IntOrDefault.h"
#include "project/ParGenFile.h"
#include "project/ProjectXml.h"

#include <array>
#include <limits>
#include <string_view>
#include <utility>

namespace kt {

namespace {

// Beyond this the text would run to megabytes; lists written by the editors need at most 60.
constexpr std::int64_t kMaxModules = 65535;
constexpr std::int64_t kModuleBytes = 64;

constexpr std::size_t kBoxWidth = 85;

class Lines {
public:
    void add(std::string_view line) {
        text_.append(line);
        text_.append("\r\n");
    }
    void empty(int count = 1) {
        for (int i = 0; i < count; ++i)
            add("");
    }
    // ";*" and `body`, padded with blanks so that "*" is the 85th character.
    void boxed(std::string_view body) {
        std::string line = ";*";
        line.append(body);
        if (line.size() < kBoxWidth - 1) line.append(kBoxWidth - 1 - line.size(), ' ');
        line.push_back('*');
        add(line);
    }
    void separator(std::size_t width) { add(";" + std::string(width - 1, '=')); }
    // The three lines that open a section: separator, title line of the same width, separator.
    void section(std::string_view title, std::size_t width) {
        separator(width);
        std::string line = ";==== ";
        line.append(title);
        line.push_back(' ');
        if (line.size() < width) line.append(width - line.size(), '=');
        add(line);
        separator(width);
        empty();
    }
    [[nodiscard]] std::string take() { return std::move(text_); }

private:
    std::string text_;
};

void Header(Lines& out) {
    const std::string indent(11, ' ');
    out.add(";");
    out.add(
        ";*********************** CAN / PROFIBUS Slave - Converter ***************************");
    out.boxed(" " + std::string(80, '=') + " ");
    out.boxed("");
    out.boxed(std::string(" Vendor:   ") + VendorLegalName);
    for (const char* l : VendorAddress)
        out.boxed(indent + l);
    out.boxed(indent + "Tel. : " + VendorPhone);
    out.boxed(indent + "FAX. : " + VendorFax);
    out.boxed(indent + "eMail: " + VendorMail);
    out.boxed("");
    out.boxed(" " + std::string(80, '=') + " ");
    out.boxed("");
    out.boxed(" Function:       CAN / PROFIBUS Slave - Converter");
    out.boxed("");
    out.boxed("");
    out.boxed(" Order Number : GX52903");
    out.boxed("");
    out.boxed("");
    out.add(";" + std::string(84, '*'));
    out.empty(2);
}

void Definitions(Lines& out) {
    out.add("#Profibus_DP");
    out.empty(2);

    out.section("Prm-Text-Def-List", 85);
    for (const char* l :
         {"PrmText=1", "Text(0)=\"disable\"", "Text(1)=\"enable\"", "EndPrmText", "",
          "PrmText  = 2", "Text(0)  = \"clock up\"", "Text(1)  = \"clock down\"", "EndPrmText", "",
          "PrmText  = 3", "Text(1)  = \"10\"", "Text(2)  = \"20\"", "Text(3)  = \"30\"",
          "Text(4)  = \"40\"", "Text(5)  = \"50\"", "EndPrmText", "", ""})
        out.add(l);

    out.section("Ext-User-Prm-Data-Def-List", 86);
    const std::initializer_list<std::initializer_list<const char*>> prm = {
        {"ExtUserPrmData=1 \"[SlotNumber]\"", "Unsigned8 0 0-32"},
        {"ExtUserPrmData=2 \"Diagnostic Alarm\"", "Bit(0) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=3 \"Process Alarm\"", "Bit(1) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=4 \"Counter mode\"", "Unsigned8 0 0-1", "Prm_Text_Ref=2"},
        {"ExtUserPrmData=5 \"Counter timebase (ms)\"", "Unsigned8 1 1-5", "Prm_Text_Ref=3"},
        {"ExtUserPrmData=6 \"Counter high-limit\"", "Unsigned16 65535 0-65535"},
        {"ExtUserPrmData=7 \"Counter low-limit\"", "Unsigned16 0 0-65535"}};
    for (const auto& def : prm) {
        for (const char* l : def)
            out.add(l);
        out.add("EndExtUserPrmData");
        out.empty();
    }
    out.empty();

    out.section("General DP Keywords", 86);
    for (const char* l :
         {"GSD_Revision = 5", "Vendor_Name = \"Tarvix\"", "Model_Name = \"GX52903\"",
          "Revision = \"1.00\"", "Ident_Number = 0x7C31", "Protocol_Ident = 0", "Station_Type = 0",
          "FMS_supp = 0", "Hardware_Release = \"V1.00\"", "Software_Release = \"V1.00\"",
          "Redundancy = 0", "Repeater_Ctrl_Sig = 2", "24V_Pins = 0", "", ""})
        out.add(l);

    out.section("Supported baudrates", 79);
    for (const char* l : {"9.6_supp = 1",
                          "19.2_supp = 1",
                          "45.45_supp = 1",
                          "93.75_supp = 1",
                          "187.5_supp = 1",
                          "500_supp = 1",
                          "1.5M_supp = 1",
                          "3M_supp = 1",
                          "6M_supp = 1",
                          "12M_supp = 1",
                          "",
                          "MaxTsdr_9.6=15",
                          "MaxTsdr_19.2=15",
                          "MaxTsdr_45.45=15",
                          "MaxTsdr_93.75=15",
                          "MaxTsdr_187.5=15",
                          "MaxTsdr_500=15",
                          "MaxTsdr_1.5M=20",
                          "MaxTsdr_3M=35",
                          "MaxTsdr_6M=50",
                          "MaxTsdr_12M=95",
                          "",
                          ""})
        out.add(l);
}

void SlaveValues(Lines& out, std::int64_t modules, std::int64_t inLen, std::int64_t outLen) {
    out.section("Slave specific values", 79);
    for (const char* l :
         {"OrderNumber=\"GX52903\"", "Slave_Family = 9@Tarvix@GX52903",
          "Implementation_Type = \"VPC3+\"",
          "Info_Text=\"Tarvix: CAN / PROFIBUS Slave - Converter\"", "Bitmap_Device = \"DPV0_1N\"",
          "Bitmap_SF=\"DPV0_1S\"", "", "Freeze_Mode_supp=1", "Sync_Mode_supp=1", "Fail_Safe=1",
          "Auto_Baud_supp=1", "Set_Slave_Add_supp=0", "", "Min_Slave_Intervall=6", "",
          "Modular_Station=1"})
        out.add(l);
    out.add("Max_Module=" + std::to_string(modules));
    out.add("Modul_Offset=1");
    out.add("Max_Input_Len=" + std::to_string(inLen));
    out.add("Max_Output_Len=" + std::to_string(outLen));
    out.add("Max_Data_Len=" + std::to_string(inLen + outLen));
    for (const char* l :
         {"Max_Diag_Data_Len=15", "", "WD_Base_1ms_supp = 1", "Publisher_supp = 1", ""})
        out.add(l);

    out.section("User-Prm-Data", 79);
    out.add("Max_User_Prm_Data_Len = 12");
    out.add("Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00");
    out.empty();

    out.section("Modulstatus", 79);
    for (int slot = 1; slot <= 2; ++slot) {
        const std::string s = std::to_string(slot);
        out.add("Unit_Diag_Area = " + std::to_string(22 + 2 * slot) + " - " +
                std::to_string(23 + 2 * slot));
        out.add("Value(1)= \"Slot " + s + ": Module error\"");
        out.add("Value(2)= \"Slot " + s + ": Wrong module\"");
        out.add("Value(3)= \"Slot " + s + ": No module\"");
        out.add("Unit_Diag_Area_End");
    }
    out.empty(2);
}

void Module(Lines& out, const GsdModule& m) {
    const std::string n = std::to_string(m.number);
    out.add(std::string(m.input ? "Module=\"DI  (PORT" : "Module=\"DO  (PORT") + n + ")    \" " +
            m.identifier);
    out.add(n);
    out.add("EndModule");
}

// Length bytes of one direction's modules.
std::vector<std::int64_t> ModuleLengths(bool mapFrames, const std::vector<std::int32_t>& dims,
                                        std::int64_t total) {
    std::vector<std::int64_t> lengths;
    if (mapFrames) {
        for (std::int32_t d : dims)
            lengths.push_back(std::int64_t(d) - 1);
    } else if (total >= 1) {
        const std::int64_t modules = (total + kModuleBytes - 1) / kModuleBytes;
        lengths.assign(std::size_t(modules - 1), kModuleBytes - 1);
        lengths.push_back(total - kModuleBytes * (modules - 1) - 1);
    }
    return lengths;
}

std::int64_t Sum(const std::vector<std::int32_t>& dims) {
    std::int64_t sum = 0;
    for (std::int32_t d : dims)
        sum += d;
    return sum;
}

// Empty when every frame length can be declared; else why not. Only hand-edited lists get
// here: a negative length has no meaning, and in one-module-per-frame mode a length byte
// holds 1 to 64 bytes, so 0 or more than 64 would declare a different size.
// `directionText` is GsdReceiveFrame or GsdSendFrame.
std::string UndeclarableDim(bool mapFrames, const std::vector<std::int32_t>& dims,
                            TextId directionText, const LanguageTable& texts) {
    for (std::size_t i = 0; i < dims.size(); ++i) {
        const std::int32_t d = dims[i];
        if (d >= 0 && (!mapFrames || (d >= 1 && d <= kModuleBytes))) continue;
        return texts.Get_Text(directionText) + std::to_string(i + 1) +
               texts.Get_Text(TextId::GsdHasLength) + std::to_string(d) +
               texts.Get_Text(mapFrames ? TextId::GsdModuleLength : TextId::GsdNegativeLength);
    }
    return {};
}

bool FitsInt32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() &&
           v <= std::numeric_limits<std::int32_t>::max();
}

// A missing list has no frames.
Status ReadDims(const FrameListRead& read, std::vector<std::int32_t>& dims) {
    if (Unreadable(read.status)) return read.status;
    dims.reserve(read.nodes.size());
    for (const pugi::xml_node& n : read.nodes)
        dims.push_back(GsdFrameDim(n));
    return Status::success();
}

} // namespace

Result<GSD_Data> Read_GSD_Data(const ProjectFiles& files) {
    return Read_GSD_Data(ReadProjectSnapshot(files));
}

Result<GSD_Data> Read_GSD_Data(const ProjectSnapshot& project) {
    Result<GSD_Data> r;
    if (!project.parGen) {
        r.status = project.parGen.status;
        return r;
    }
    GSD_Data& data = r.value;
    data.Map_Frames = project.parGen.value.GsdCanMapping;
    if (r.status = ReadDims(project.receive, data.In_Dim); !r.status) return {{}, r.status};
    if (r.status = ReadDims(project.transmit, data.Out_Dim); !r.status) return {{}, r.status};
    CountGsdModules(data);
    return r;
}

std::int32_t GsdFrameDim(const pugi::xml_node& node) {
    return IntOrDefault(node.attribute("Dim").value(), 0);
}

void CountGsdModules(GSD_Data& data) {
    data.In_Len = Sum(data.In_Dim);
    data.Out_Len = Sum(data.Out_Dim);
    const auto count = [&data](const std::vector<std::int32_t>& dims, std::int64_t len) {
        if (data.Map_Frames) return std::int64_t(dims.size());
        return len >= 1 ? (len + kModuleBytes - 1) / kModuleBytes : 0;
    };
    data.In_Modules = count(data.In_Dim, data.In_Len);
    data.Out_Modules = count(data.Out_Dim, data.Out_Len);
}

Result<std::vector<GsdModule>> GsdModules(const GSD_Data& data, const LanguageTable& texts) {
    for (const auto& [dims, direction] : {std::pair{&data.In_Dim, TextId::GsdReceiveFrame},
                                          std::pair{&data.Out_Dim, TextId::GsdSendFrame}})
        if (std::string why = UndeclarableDim(data.Map_Frames, *dims, direction, texts);
            !why.empty())
            return {{}, Status::malformed(why)};
    const std::int64_t inLen = Sum(data.In_Dim);
    const std::int64_t outLen = Sum(data.Out_Dim);
    // The module count is checked before ModuleLengths would allocate one entry per module.
    if (!FitsInt32(inLen) || !FitsInt32(outLen) || !FitsInt32(inLen + outLen) ||
        (!data.Map_Frames && (inLen + outLen) / kModuleBytes > kMaxModules))
        return {{}, Status::malformed(texts.Get_Text(TextId::GsdTooManyBytes))};
    const auto inModules = ModuleLengths(data.Map_Frames, data.In_Dim, inLen);
    const auto outModules = ModuleLengths(data.Map_Frames, data.Out_Dim, outLen);
    const auto count = std::int64_t(inModules.size() + outModules.size());
    if (count > kMaxModules)
        return {{},
                Status::malformed(texts.Get_Text(TextId::GsdModulesGiven) + std::to_string(count) +
                                  texts.Get_Text(TextId::GsdTooManyModules))};
    Result<std::vector<GsdModule>> r;
    std::vector<GsdModule>& modules = r.value;
    modules.reserve(std::size_t(count));
    std::int64_t number = 0;
    for (const auto* lengths : {&inModules, &outModules}) {
        const bool input = lengths == &inModules;
        for (std::int64_t lengthByte : *lengths) {
            ++number;
            modules.push_back({input, number, lengthByte + 1,
                               std::string(input ? "0x42,0x" : "0x82,0x") +
                                   HexDigits(static_cast<std::uint64_t>(lengthByte & 0xFF), 2) +
                                   ",0x00,0x" + HexDigits(static_cast<std::uint64_t>(number), 2)});
        }
    }
    return r;
}

Result<std::string> ComposeGsdText(const GSD_Data& data, const LanguageTable& texts) {
    const Result<std::vector<GsdModule>> moduleList = GsdModules(data, texts);
    if (!moduleList) return {{}, moduleList.status};
    const std::int64_t inLen = Sum(data.In_Dim);
    const std::int64_t outLen = Sum(data.Out_Dim);
    const auto modules = std::int64_t(moduleList.value.size());

    Lines out;
    Header(out);
    Definitions(out);
    SlaveValues(out, modules, inLen, outLen);

    out.section("Module-Definition-List", 79);
    for (const GsdModule& m : moduleList.value)
        Module(out, m);
    out.empty(3);

    out.add("SlotDefinition");
    for (std::int64_t s = 1; s <= modules; ++s) {
        const std::string n = std::to_string(s);
        out.add("Slot(" + n + ") = \"Slot " + n + "\" " + n + " " + n);
    }
    out.add("EndSlotDefinition");
    out.empty(4);
    return {out.take(), Status::success()};
}

Status Write_GSD_File(const std::filesystem::path& file, const GSD_Data& data,
                      const LanguageTable& texts) {
    const Result<std::string> text = ComposeGsdText(data, texts);
    if (!text) return text.status;
    return WriteFileAtomic(file, text.value);
}

std::string WithGsdExtension(const std::string& chosen) {
    if (chosen.size() >= 4 && LowerAscii(chosen.substr(chosen.size() - 4)) == ".gsd") return chosen;
    return chosen + ".gsd";
}

} // namespace kt
