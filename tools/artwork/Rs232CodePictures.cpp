// The code tables of the RS232 code viewers' document, in English (RS232_EN_1 .. 10) and in
// Simplified Chinese (RS232_ZH_1 .. 10): the serial port's settings, the frame's layout and the
// command codes with their payloads, as the editor's protocol knows them. Each picture is 630
// pixels wide and as high as its place on the page; a table shares that height among its rows.
// A text that would not fit its cell stops the generator.

#include <array>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(RGB(r, g, b)); }

constexpr int kWidth = 630;
constexpr std::array<int, 10> kHeights = {113, 81, 70, 68, 99, 99, 99, 80, 98, 93};
constexpr int kMinHeaderHeight = 17;
constexpr int kCellPadding = 5;

constexpr TColor kPage = clWhite;
constexpr TColor kHeaderFace = Rgb(28, 64, 136);
constexpr TColor kStripe = Rgb(240, 244, 251);
constexpr TColor kRule = Rgb(196, 206, 222);
constexpr TColor kBorder = Rgb(96, 116, 156);
constexpr TColor kInk = Rgb(32, 36, 44);
constexpr TColor kCodeInk = Rgb(120, 40, 24);

struct TLanguage {
    const char* prefix;
    const char* face;
};
constexpr TLanguage kEnglish{"RS232_EN_", "Tahoma"};
constexpr TLanguage kChinese{"RS232_ZH_", "SimSun"};

struct TTable {
    std::vector<int> widths;  // adding up to kWidth
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

void SetFont(TCanvas& c, const char* face, int height, bool bold, TColor colour) {
    c.Font()->SetName(face);
    c.Font()->SetHeight(-height);
    c.Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    c.Font()->SetColor(colour);
}

// Writes text in a cell, vertically centred, from its left edge; refuses text wider than the
// cell.
void CellText(TCanvas& c, const TRect& cell, const std::string& text, const std::string& where) {
    const int width = c.TextWidth(text);
    if (width > cell.Right - cell.Left - 2 * kCellPadding) {
        throw Exception("The code table text \"" + text + "\" of " + where + " is " +
                        std::to_string(width) + " pixels wide, more than its cell");
    }
    const int y = cell.Top + (cell.Bottom - cell.Top - c.TextHeight(text)) / 2;
    c.TextOut(cell.Left + kCellPadding, y, text);
}

std::unique_ptr<TBitmap> DrawTable(const TLanguage& language, int number, const TTable& table) {
    const int height = kHeights[static_cast<std::size_t>(number - 1)];
    const std::string where = std::string(language.prefix) + std::to_string(number);
    auto picture = NewPicture(kWidth, height, kPage);
    TCanvas& c = *picture->Canvas();
    c.Brush()->SetStyle(bsClear);
    const int rows = static_cast<int>(table.rows.size());
    const int rowHeight = (height - 1 - kMinHeaderHeight) / rows;
    const int headerHeight = height - 1 - rows * rowHeight;
    // Header.
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(kHeaderFace);
    c.FillRect(Rect(0, 0, kWidth, headerHeight));
    c.Brush()->SetStyle(bsClear);
    SetFont(c, language.face, 11, true, clWhite);
    int left = 0;
    for (std::size_t k = 0; k < table.widths.size(); ++k) {
        CellText(c, Rect(left, 0, left + table.widths[k], headerHeight), table.header[k], where);
        left += table.widths[k];
    }
    // Rows, striped, the code column in its own ink.
    for (int r = 0; r < rows; ++r) {
        const int top = headerHeight + r * rowHeight;
        if (r % 2 == 1) {
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(kStripe);
            c.FillRect(Rect(0, top, kWidth, top + rowHeight));
            c.Brush()->SetStyle(bsClear);
        }
        left = 0;
        for (std::size_t k = 0; k < table.widths.size(); ++k) {
            const bool code = k == 0 && table.widths.size() > 2;
            SetFont(c, language.face, 11, code, code ? kCodeInk : kInk);
            CellText(c, Rect(left, top, left + table.widths[k], top + rowHeight),
                     table.rows[static_cast<std::size_t>(r)][k], where);
            left += table.widths[k];
        }
        c.Pen()->SetColor(kRule);
        c.MoveTo(0, top + rowHeight);
        c.LineTo(kWidth, top + rowHeight);
    }
    // Column rules and the frame.
    c.Pen()->SetColor(kRule);
    left = 0;
    for (std::size_t k = 0; k + 1 < table.widths.size(); ++k) {
        left += table.widths[k];
        c.MoveTo(left, headerHeight);
        c.LineTo(left, height);
    }
    c.Pen()->SetColor(kBorder);
    c.Rectangle(0, 0, kWidth, height);
    return picture;
}

// The frame, box by box: the byte's place, its name, what it holds.
struct TFrameField {
    int width;
    const char* place;
    const char* name;
    const char* value;
    bool marker;
};

std::unique_ptr<TBitmap> DrawFrame(const TLanguage& language, int number,
                                   const std::vector<TFrameField>& fields) {
    const int height = kHeights[static_cast<std::size_t>(number - 1)];
    const std::string where = std::string(language.prefix) + std::to_string(number);
    auto picture = NewPicture(kWidth, height, kPage);
    TCanvas& c = *picture->Canvas();
    int left = 2;
    for (const TFrameField& f : fields) {
        const TRect place = Rect(left, 0, left + f.width, 18);
        const TRect box = Rect(left, 20, left + f.width, 52);
        const TRect value = Rect(left, 54, left + f.width, height);
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(f.marker ? Rgb(226, 234, 248) : Rgb(255, 244, 222));
        c.Pen()->SetColor(kBorder);
        c.Rectangle(box);
        c.Brush()->SetStyle(bsClear);
        SetFont(c, language.face, 10, false, Rgb(110, 118, 132));
        CellText(c, place, f.place, where);
        SetFont(c, language.face, 12, true, f.marker ? kHeaderFace : kCodeInk);
        CellText(c, box, f.name, where);
        SetFont(c, language.face, 11, false, kInk);
        CellText(c, value, f.value, where);
        left += f.width - 1;
    }
    return picture;
}

// ---- the English document's tables

const std::vector<int> kSettingsWidths = {190, 440};
const std::vector<int> kCommandWidths = {66, 110, 300, 154};

// A command table of one group: the document's head with the group's name in its second column.
TTable CommandTable(std::vector<std::string> head, const char* group,
                    std::vector<std::vector<std::string>> rows) {
    head[1] = group;
    return TTable{kCommandWidths, std::move(head), std::move(rows)};
}

// A document's ten pictures: its first table, the frame, then the rest of its tables.
std::vector<TPictureDef> DocumentPictures(const TLanguage& language, std::vector<TTable> tables,
                                          std::vector<TFrameField> frame) {
    std::vector<TPictureDef> pictures;
    for (int n = 1; n <= 10; ++n) {
        auto draw = [&language, n, tables, frame] {
            if (n == 2) return DrawFrame(language, n, frame);
            return DrawTable(language, n, tables[static_cast<std::size_t>(n < 2 ? n - 1 : n - 2)]);
        };
        pictures.push_back({language.prefix + std::to_string(n), TFileKind::Png, draw});
    }
    return pictures;
}

std::vector<TPictureDef> EnglishTables() {
    const TLanguage& l = kEnglish;
    const std::vector<std::string> head = {"Code", "", "Payload (:2 = two bytes)", "Answer"};
    auto commands = [&](const char* group, std::vector<std::vector<std::string>> rows) {
        return CommandTable(head, group, std::move(rows));
    };
    std::vector<TTable> t;
    t.push_back({kSettingsWidths,
                 {"Serial port", "Setting"},
                 {{"Interface", "RS232, three wires: TXD, RXD, GND"},
                  {"Baud rate", "115200 bit/s"},
                  {"Data bits", "8"},
                  {"Parity", "None"},
                  {"Stop bits", "1"},
                  {"Flow control", "None"}}});
    t.push_back(commands("Connection", {{"16  0x10", "Connect", "none", "code 16, no payload"},
                                        {"17  0x11", "Disconnect", "none", "none"},
                                        {"18  0x12", "Keep alive", "none", "acknowledge"},
                                        {"19  0x13", "Identity", "none", "text, \"WQJ V010\""}}));
    t.push_back(
        commands("Status", {{"44  0x2C", "Lock status", "none", "6 bytes, byte 5: locked"},
                            {"64  0x40", "Levels", "none", "37 bytes, see below"},
                            {"1  0x01", "Acknowledge", "sent by the processor, none", "-"}}));
    t.push_back(
        commands("Presets",
                 {{"20  0x14", "Current preset", "none", "1 byte: number"},
                  {"32  0x20", "Recall", "number 0 to 30 (0: factory)", "acknowledge"},
                  {"33  0x21", "Store", "number 1 to 30", "acknowledge"},
                  {"34  0x22", "Preset map", "none", "30 bytes, 0xFF: used"},
                  {"35  0x23", "Factory reset", "none", "acknowledge"},
                  {"38  0x26", "Preset name", "14 name bytes (GBK, zero filled)", "acknowledge"}}));
    t.push_back(commands(
        "Memory",
        {{"39  0x27", "Read settings", "block 0 to 15", "code 36: block, 50 bytes"},
         {"36  0x24", "Select preset", "number 1 to 30", "acknowledge"},
         {"40  0x28", "Read preset", "block 0 to 15 of the selected one", "block, 50 bytes"},
         {"41  0x29", "Name of slot", "slot 0 to 29", "slot, 14 name bytes"},
         {"25  0x19", "Read device", "address:2, count", "count bytes"},
         {"26  0x1A", "Write device", "address:2, count, count bytes", "acknowledge"}}));
    t.push_back(commands(
        "Channel",
        {{"48  0x30", "Compressor", "ch, ratio, knee, attack:2, release:2, threshold:2",
          "empty frame"},
         {"49  0x31", "Low pass", "ch, frequency:2, slope", "empty frame"},
         {"50  0x32", "High pass", "ch, frequency:2, slope", "empty frame"},
         {"51  0x33", "EQ band", "ch, band, gain:2, frequency:2, Q, type, bypass", "empty frame"},
         {"52  0x34", "Gain", "ch, gain:2", "empty frame"},
         {"62  0x3E", "Gate", "ch, attack:2, release:2, hold:2, threshold:2", "empty frame"}}));
    t.push_back(commands(
        "Switches", {{"53  0x35", "Mute", "ch, 1 muted or 0", "empty frame"},
                     {"54  0x36", "Polarity", "ch, 1 inverted or 0", "empty frame"},
                     {"56  0x38", "Delay", "ch, delay:2 (samples at 96 kHz)", "empty frame"},
                     {"60  0x3C", "EQ bypass", "ch, 1 bypassed or 0 (whole EQ)", "empty frame"}}));
    t.push_back(commands(
        "Setup",
        {{"21  0x15", "Delay unit", "0 ms, 1 metres, 2 feet", "empty frame"},
         {"42  0x2A", "Copy channel", "from ch, to ch (one side)", "acknowledge"},
         {"57  0x39", "Test signal", "mode (0 analog, 1 pink, 2 white, 3 sine), sine 0-30",
          "empty frame"},
         {"58  0x3A", "Routing", "output ch, inputs (bit 0 InA, 2 InC)", "empty frame"},
         {"59  0x3B", "Link", "ch, link mask (bits of its side)", "empty frame"},
         {"61  0x3D", "Channel name", "ch, 8 name bytes (GBK, zero filled)", "empty frame"}}));
    t.push_back(commands("Transfer, lock",
                         {{"37  0x25", "Download", "block, slot 0 to 29, 50 bytes", "block"},
                          {"4  0x04", "Restart", "none", "none"},
                          {"47  0x2F", "Set lock", "4 password bytes (zero filled)", "empty frame"},
                          {"45  0x2D", "Unlock", "0, 4 password bytes", "0, then 1 right or 0"}}));
    const std::vector<TFrameField> frame = {{50, "0", "DLE", "0x10", true},
                                            {50, "1", "STX", "0x02", true},
                                            {66, "2", "Sender", "0 / ID", false},
                                            {70, "3", "Receiver", "ID / 0", false},
                                            {62, "4", "Length", "n + 1", false},
                                            {70, "5", "Code", "command", false},
                                            {104, "6 ...", "Payload", "n bytes", false},
                                            {52, "n + 6", "DLE", "0x10", true},
                                            {52, "n + 7", "ETX", "0x03", true},
                                            {62, "n + 8", "Check", "XOR", false}};
    return DocumentPictures(l, std::move(t), frame);
}

// ---- the Chinese document's tables

std::vector<TPictureDef> ChineseTables() {
    const TLanguage& l = kChinese;
    const std::vector<std::string> head = {"代码", "", "参数（:2 为两个字节）", "应答"};
    auto commands = [&](const char* group, std::vector<std::vector<std::string>> rows) {
        return CommandTable(head, group, std::move(rows));
    };
    std::vector<TTable> t;
    t.push_back({kSettingsWidths,
                 {"串口", "设定"},
                 {{"接口", "RS232 三线：TXD、RXD、GND"},
                  {"波特率", "115200 bit/s"},
                  {"数据位", "8"},
                  {"校验位", "无"},
                  {"停止位", "1"},
                  {"流控制", "无"}}});
    t.push_back(commands("连接", {{"16  0x10", "连接", "无", "代码 16，无参数"},
                                  {"17  0x11", "断开", "无", "无"},
                                  {"18  0x12", "保持连接", "无", "确认"},
                                  {"19  0x13", "识别", "无", "文字 \"WQJ V010\""}}));
    t.push_back(commands("状态", {{"44  0x2C", "锁定状态", "无", "6 字节，字节 5：锁定"},
                                  {"64  0x40", "电平", "无", "37 字节，见下文"},
                                  {"1  0x01", "确认", "由处理器发出，无参数", "-"}}));
    t.push_back(commands("预设", {{"20  0x14", "当前预设", "无", "1 字节：编号"},
                                  {"32  0x20", "调用", "编号 0 至 30（0：出厂）", "确认"},
                                  {"33  0x21", "储存", "编号 1 至 30", "确认"},
                                  {"34  0x22", "预设表", "无", "30 字节，0xFF：已用"},
                                  {"35  0x23", "恢复出厂", "无", "确认"},
                                  {"38  0x26", "预设名称", "14 字节名称（GBK，补 0）", "确认"}}));
    t.push_back(
        commands("存储", {{"39  0x27", "读取设定", "区块 0 至 15", "代码 36：区块，50 字节"},
                          {"36  0x24", "选择预设", "编号 1 至 30", "确认"},
                          {"40  0x28", "读取预设", "所选预设的区块 0 至 15", "区块，50 字节"},
                          {"41  0x29", "位置名称", "位置 0 至 29", "位置，14 字节名称"},
                          {"25  0x19", "读取设备", "地址:2，数量", "数量个字节"},
                          {"26  0x1A", "写入设备", "地址:2，数量，数据", "确认"}}));
    t.push_back(commands(
        "通道", {{"48  0x30", "压缩器", "通道，比率，拐点，启动:2，释放:2，门限:2", "空帧"},
                 {"49  0x31", "低通", "通道，频率:2，斜率", "空帧"},
                 {"50  0x32", "高通", "通道，频率:2，斜率", "空帧"},
                 {"51  0x33", "均衡频段", "通道，频段，增益:2，频率:2，Q，类型，旁通", "空帧"},
                 {"52  0x34", "增益", "通道，增益:2", "空帧"},
                 {"62  0x3E", "噪声门", "通道，启动:2，释放:2，保持:2，门限:2", "空帧"}}));
    t.push_back(
        commands("开关", {{"53  0x35", "静音", "通道，1 静音或 0", "空帧"},
                          {"54  0x36", "相位", "通道，1 反相或 0", "空帧"},
                          {"56  0x38", "延时", "通道，延时:2（96 kHz 取样数）", "空帧"},
                          {"60  0x3C", "均衡旁通", "通道，1 旁通或 0（整个均衡）", "空帧"}}));
    t.push_back(commands(
        "设置",
        {{"21  0x15", "延时单位", "0 毫秒，1 米，2 英尺", "空帧"},
         {"42  0x2A", "通道复制", "来源通道，目标通道（同侧）", "确认"},
         {"57  0x39", "测试讯号", "模式（0 类比，1 粉红，2 白，3 弦波），弦波 0-30", "空帧"},
         {"58  0x3A", "路由", "输出通道，输入（位 0 InA，位 2 InC）", "空帧"},
         {"59  0x3B", "链结", "通道，链结位元（同侧通道）", "空帧"},
         {"61  0x3D", "通道名称", "通道，8 字节名称（GBK，补 0）", "空帧"}}));
    t.push_back(
        commands("传输与锁定", {{"37  0x25", "预设下载", "区块，位置 0 至 29，50 字节", "区块"},
                                {"4  0x04", "重新启动", "无", "无"},
                                {"47  0x2F", "设定锁定", "4 字节密码（补 0）", "空帧"},
                                {"45  0x2D", "解锁", "0，4 字节密码", "0，再 1 正确或 0"}}));
    const std::vector<TFrameField> frame = {
        {50, "0", "DLE", "0x10", true},          {50, "1", "STX", "0x02", true},
        {66, "2", "发送者", "0 / ID", false},    {70, "3", "接收者", "ID / 0", false},
        {62, "4", "长度", "n + 1", false},       {70, "5", "代码", "命令", false},
        {104, "6 ...", "参数", "n 字节", false}, {52, "n + 6", "DLE", "0x10", true},
        {52, "n + 7", "ETX", "0x03", true},      {62, "n + 8", "校验", "异或", false}};
    return DocumentPictures(l, std::move(t), frame);
}

}  // namespace

std::vector<TPictureDef> Rs232CodePictures() {
    std::vector<TPictureDef> pictures = EnglishTables();
    for (TPictureDef& picture : ChineseTables()) pictures.push_back(std::move(picture));
    return pictures;
}

}  // namespace dsp::artwork
