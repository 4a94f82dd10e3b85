#include "outputs/ConfigImage.h"

#include "base/FileUtil.h"
#include "base/XmlUtil.h"
#include "project/FrameList.h"
#include "project/IntOrDefault.h"
#include "project/ParGenFile.h"
#include "project/ProjectXml.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace kt {

namespace {

constexpr std::array<std::uint32_t, 10> kBaudRates = {10000,  20000,  50000,  62500,  100000,
                                                      125000, 250000, 500000, 800000, 1000000};
static_assert(kBaudRates.size() == CanBaudTexts.size(), "one bit rate for each offered text");

void Put32(ConfigImage& img, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        img[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(ConfigImage& img, std::size_t at, std::uint16_t v) {
    img[at] = static_cast<std::uint8_t>(v);
    img[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutParam(ConfigImage& img, std::size_t offset, std::uint32_t v) {
    Put32(img, ImageParamBlock + offset, v);
}

// 16 bytes of 0, then eight 16-bit words of 0xFFFF.
void ResetTables(ConfigImage& img) {
    for (std::size_t e = 0; e < 2 * ConfigImageFrames; ++e) {
        const std::size_t at = e * ImageEntrySize;
        for (std::size_t i = 0; i < 16; ++i)
            img[at + i] = 0;
        for (std::size_t i = 16; i < 32; ++i)
            img[at + i] = 0xFF;
    }
}

void DefaultParamBlock(ConfigImage& img) {
    for (std::size_t i = ImageParamBlock; i < ConfigImageSize; ++i)
        img[i] = 0;
    PutParam(img, ParamCanBaudRate, 125000);
    PutParam(img, ParamWord4, 125000);
    PutParam(img, ParamWord8, 9600);
}

// The attribute as an integer; `fallback` when it is missing or no number.
std::uint32_t Attr(const pugi::xml_node& n, const char* name, std::int32_t fallback) {
    const pugi::xml_attribute a = n.attribute(name);
    return static_cast<std::uint32_t>(a ? IntOrDefault(a.value(), fallback) : fallback);
}

// Without a ParGen.xml the block keeps its defaults, which differ from ParGen's own.
Status PutCommSettings(const Result<ParGen>& read, ConfigImage& img) {
    if (read.status.notFound()) return Status::success();
    if (!read) return read.status;
    const ParGen& settings = read.value;
    PutParam(img, ParamCanBaudRate, ImageBaudRate(settings, true));
    PutParam(img, ParamProfibusAddress,
             static_cast<std::uint32_t>(IntOrDefault(settings.StationAddress, 10)));
    PutParam(img, ParamGsdCanMapping, settings.GsdCanMapping ? 1 : 0);
    return Status::success();
}

Status PutFrameList(const FrameListRead& read, bool send, ConfigImage& img) {
    std::uint32_t count = 0;
    std::uint32_t offset = 0;
    const std::size_t table = send ? ImageSendTable : 0;
    const FrameKind kind = send ? FrameKind::Transmit : FrameKind::Receive;
    if (Unreadable(read.status)) return read.status; // a missing list has no frames
    const std::size_t stored = std::min<std::size_t>(read.nodes.size(), ConfigImageFrames);
    for (std::size_t i = 0; i < stored; ++i) {
        const pugi::xml_node& n = read.nodes[i];
        const std::size_t at = table + count * ImageEntrySize;
        const ImageFrame f = ReadImageFrame(n, kind);
        Put32(img, at, f.CobId);
        Put32(img, at + 4, f.SendTime);
        Put32(img, at + 8, f.RecTimeOut);
        img[at + 13] = f.SendFlags;
        img[at + 14] = f.DataLen;
        img[at + 15] = f.SwapCode;
        Put16(img, at + 16, static_cast<std::uint16_t>(offset));
        offset += f.DataLen;
        ++count;
    }
    PutParam(img, send ? ParamSendDataBytes : ParamRecDataBytes, offset);
    PutParam(img, send ? ParamSendFrameCount : ParamRecFrameCount, count);
    return Status::success();
}

} // namespace

ImageFrame ReadImageFrame(const pugi::xml_node& n, FrameKind kind) {
    ImageFrame f;
    f.CobId = Attr(n, "COBID", 0);
    if (StoredAs29Bit(n.attribute("CAN_Type").value())) f.CobId |= ImageCobId29;
    f.DataLen = static_cast<std::uint8_t>(Attr(n, "Dim", 8));
    if (kind == FrameKind::Transmit) {
        f.SendFlags = 1;
        if (CheckedForImage(n.attribute("OnChange").value())) f.SendFlags |= SendFlagOnChange;
        if (CheckedForImage(n.attribute("OnTimer").value())) f.SendFlags |= SendFlagOnTimer;
        f.SendTime = Attr(n, "Time", 0);
    } else {
        f.RecTimeOut = Attr(n, "TimeOut", 0);
    }
    f.SwapCode = static_cast<std::uint8_t>(Attr(n, "SWAP", 0));
    return f;
}

ImageFrame ReadImageFrame(const FrameRow& row, FrameKind kind) {
    const auto num = [&row](int field, std::int32_t fallback) {
        return static_cast<std::uint32_t>(IntOrDefault(row[std::size_t(field)], fallback));
    };
    ImageFrame f;
    f.CobId = num(RxCOBID, 0);
    if (StoredAs29Bit(row[RxCAN_Type])) f.CobId |= ImageCobId29;
    f.DataLen = static_cast<std::uint8_t>(num(RxDim, 8));
    if (kind == FrameKind::Transmit) {
        f.SendFlags = 1;
        if (CheckedForImage(row[TxOnChange])) f.SendFlags |= SendFlagOnChange;
        if (CheckedForImage(row[TxOnTimer])) f.SendFlags |= SendFlagOnTimer;
        f.SendTime = num(TxTime, 0);
    } else {
        f.RecTimeOut = num(RxTimeOut, 0);
    }
    f.SwapCode = static_cast<std::uint8_t>(num(RxSWAP, 0));
    return f;
}

std::uint32_t ImageBaudRate(const ParGen& settings, bool found) {
    if (!found) return 125000;
    const int index = settings.CanBaudIndex;
    return kBaudRates[static_cast<std::size_t>(IsKnownCanBaudIndex(index) ? index
                                                                          : DefaultCanBaudIndex)];
}

Status Compile_Config_Image(const ProjectFiles& files, ConfigImage& image) {
    return Compile_Config_Image(ReadProjectSnapshot(files), image);
}

Status Compile_Config_Image(const ProjectSnapshot& project, ConfigImage& image) {
    DefaultParamBlock(image);
    ResetTables(image);
    if (Status s = PutCommSettings(project.parGen, image); !s) return s;
    PutParam(image, ParamRecTableAddr, RecTableAddr);
    PutParam(image, ParamSendTableAddr, SendTableAddr);
    if (Status s = PutFrameList(project.receive, false, image); !s) return s;
    if (Status s = PutFrameList(project.transmit, true, image); !s) return s;
    PutParam(image, ParamChecksum, ParamBlockSum(image));
    return Status::success();
}

std::uint32_t ParamBlockSum(std::span<const std::uint8_t, ConfigImageSize> image) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < ParamChecksum; ++i)
        sum += image[ImageParamBlock + i];
    return sum;
}

Status Write_Config_Image(const std::filesystem::path& file, const ConfigImage& image) {
    const std::filesystem::path dir = file.parent_path();
    if (const std::filesystem::path blocker = FileInPlaceOfFolder(dir); !blocker.empty())
        return Status::io("Cannot write \"" + PathToUtf8(file) + "\": \"" + PathToUtf8(blocker) +
                          "\" is a file where a folder is needed");
    if (!dir.empty() && !IsDirectory(dir)) {
        // Only the last level: a Project folder that vanished must not come back holding
        // an image compiled from defaults.
        std::error_code ec;
        std::filesystem::create_directory(dir, ec);
        if (ec)
            return Status::io("Cannot create the folder \"" + PathToUtf8(dir) +
                              "\": " + ec.message());
    }
    return WriteFileAtomic(
        file, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

std::filesystem::path ConfigImageFile(const std::filesystem::path& projectDir) {
    return projectDir / "bin" / "bank1.bin";
}

} // namespace kt
