#include "dialogs/FRs232CodeDoc.h"

#include <cstdint>

namespace dsp {

namespace {

using S = TRs232Style;

constexpr int kSectionGap = 4;
constexpr int kFirstSectionGap = 2;
constexpr int kTwipsPerPixel = 15;  // at 96 dpi

// The frame that connects to the processor with ID 1 (the documents' example; the tests check
// it against the protocol's own encoding).
constexpr char kConnectExample[] = "10 02 00 01 01 10 10 03 11";

TRs232Document MakeEnglish() {
    TRs232Document d;
    d.caption = "RS232 Protocal Code";
    d.designWidth = 754;
    d.designHeight = 662;
    d.textFace = "Tahoma";
    d.picturePrefix = "RS232_EN_";
    d.pictureTops = {72, 208, 363, 508, 648, 792, 940, 1145, 1294, 1427};
    d.sections = {{
        {{S::Title, "RS232 Control Codes"},
         {S::Body,
          "The serial commands of the WQJ DSP Processor (3 inputs, 6 outputs). Serial port:"}},
        {{S::Body, "Every command and every answer travels in one frame of Length + 8 bytes:"}},
        {{S::Body, "Sender: 0 from the editor, the processor's ID (1 to 254) in its answers."},
         {S::Body, "Receiver: the processor's ID, 255 for any. Length: code and payload (n + 1)."},
         {S::Body, "No byte is escaped. Check: the XOR of every byte before it. Connect to ID 1:"},
         {S::Code, kConnectExample}},
        {{S::Body, "The processor answers every command once: a request with the data it asks"},
         {S::Body, "for, an edit with an empty frame of its own code, the others with the"},
         {S::Body, "acknowledge (code 1). The editor sends its next frame after the answer or a"},
         {S::Body, "time-out; while idle it asks for the levels (64) every 300 ms."}},
        {{S::Body, "Levels (64): 37 bytes. Level i is bytes 3i, 3i + 1 and 3i + 2: bits 16 to 23,"},
         {S::Body, "24 to 31 and 8 to 15 of a 32-bit float. Levels 0 to 2 are the inputs, 4 to 9"},
         {S::Body, "the outputs; byte 36 holds a limiter flag per output (bit 0: Out1). Presets"},
         {S::Body,
          "are numbered 1 to 30 (0: factory); the map and the names count slots 0 to 29."}},
        {{S::Body, "The settings travel in 16 blocks of 50 bytes. A stored preset is read the"},
         {S::Body, "same way, after selecting it (36):"}},
        {{S::Body, "Channels: 0 to 2 are InA to InC, 3 to 8 Out1 to Out6. A value marked :2 takes"},
         {S::Body, "two bytes, low byte first. An edit reaches every channel linked to the one it"},
         {S::Body,
          "names, so a group is named by its leader. Edits are answered by an empty frame."}},
        {{S::Body, "Gain 0 to 400: 280 is 0 dB, 0.1 dB steps down to -20 dB, 0.5 dB below."},
         {S::Body, "EQ gain 0 to 240 (120 is 0 dB). Frequency index 0 to 300, 1/30 octave apart"},
         {S::Body, "(170 is 1 kHz). Q index 0 to 100. EQ type 0 to 6. Slope 0 (off) to 20."},
         {S::Body, "Thresholds in half dB: (value - 180) / 2 dB. Attack, release, hold: value + 1"},
         {S::Body, "ms. Compressor ratio index 0 to 15 (15: limit), knee in dB."}},
        {{S::Body, "Delay: samples at 96 kHz, 96 per millisecond, 0 to 65280 (680 ms). The delay"},
         {S::Body, "unit (21) only says how delays are shown. Routing and link masks count the"},
         {S::Body, "channels of one side: bit 0 is InA or Out1."}},
        {{S::Body, "Preset transfers and the operation lock (passwords are four bytes):"}},
    }};
    return d;
}

TRs232Document MakeChinese() {
    TRs232Document d;
    d.caption = "232通讯协议控制代码";
    d.designWidth = 745;
    d.designHeight = 671;
    d.textFace = "SimSun";
    d.picturePrefix = "RS232_ZH_";
    d.pictureTops = {72, 224, 363, 508, 636, 780, 932, 1121, 1270, 1415};
    d.sections = {{
        {{S::Title, "232通讯协议控制代码"},
         {S::Body, "WQJ DSP 处理器（3 输入，6 输出）的串口命令。串口设定如下："}},
        {{S::Body, "每个命令与每个应答都是一帧，共 Length + 8 字节："}},
        {{S::Body,
          "发送者：编辑器为 0，应答为处理器 ID（1 至 254）；接收者：处理器 ID（255 "
          "为任一处理器）。"},
         {S::Body,
          "长度：代码加参数（n + 1），不转义；校验：之前所有字节的异或。连接 ID 为 1 的处理器："},
         {S::Code, kConnectExample}},
        {{S::Body, "处理器对每个命令应答一次：请求回传所要的资料，参数修改回传同代码的空帧，"},
         {S::Body, "其他命令回传确认（代码 1）。编辑器收到应答或逾时后才发送下一帧；"},
         {S::Body, "闲置时每 300 毫秒读取一次电平（64）。"}},
        {{S::Body, "电平（64）：37 字节。电平 i 为字节 3i、3i + 1、3i + 2，即 32 位浮点数的"},
         {S::Body, "位 16–23、24–31 与 8–15；电平 0 至 2 为输入，4 至 9 为输出；字节 36 为"},
         {S::Body,
          "各输出的限幅旗标（位 0 为 Out1）。预设编号 1 至 30（0 为出厂），预设表与名称以位置 0 至 "
          "29 计。"}},
        {{S::Body, "设定分 16 个区块读取，每块 50 字节。"},
         {S::Body, "已储存的预设以同样方式读取，先以 36 选择该预设："}},
        {{S::Body, "通道：0 至 2 为 InA 至 InC，3 至 8 为 Out1 至 Out6。标 :2 的数值占两个字节，"},
         {S::Body,
          "低位在前。修改作用于所指通道链结的全部通道，故以首通道指定链结组；修改以空帧应答。"}},
        {{S::Body, "增益 0 至 400：280 为 0 dB，-20 dB 以上每级 0.1 dB，以下每级 0.5 dB。均衡增益"},
         {S::Body,
          "0 至 240（120 为 0 dB）。频率索引 0 至 300，间隔 1/30 倍频程（170 为 1 kHz）。"},
         {S::Body,
          "Q 索引 0 至 100，均衡类型 0 至 6，斜率 0（关闭）至 20。门限以半 dB 计：（值 - 180）/ 2 "
          "dB；"},
         {S::Body,
          "启动、释放、保持：值 + 1 毫秒。压缩比索引 0 至 15（15 为限幅），拐点以 dB 计。"}},
        {{S::Body, "延时以 96 kHz 取样数计，每毫秒 96，0 至 65280（680 毫秒）。延时单位（21）"},
         {S::Body, "只决定显示方式。路由与链结位元以同侧通道计：位 0 为 InA 或 Out1。"}},
        {{S::Body, "预设传输与操作锁定（密码为四个字节）："}},
    }};
    return d;
}

// Appends text to rich text: ASCII as it is (the control characters escaped), anything else as
// a Unicode escape with "?" for readers without Unicode.
void AppendEscaped(std::string& rtf, const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte == '\\' || byte == '{' || byte == '}') rtf += '\\';
            rtf += static_cast<char>(byte);
            ++i;
            continue;
        }
        std::uint32_t code = 0;
        std::size_t length = 1;
        if (byte >= 0xF0) {
            code = byte & 0x07u;
            length = 4;
        } else if (byte >= 0xE0) {
            code = byte & 0x0Fu;
            length = 3;
        } else {
            code = byte & 0x1Fu;
            length = 2;
        }
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        i += length;
        // Outside the basic plane a character is written as its two surrogates.
        auto unit = [&](std::uint32_t u) {
            rtf += "\\u" +
                   std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u))) + "?";
        };
        if (code >= 0x10000) {
            code -= 0x10000;
            unit(0xD800 + (code >> 10));
            unit(0xDC00 + (code & 0x3FF));
        } else {
            unit(code);
        }
    }
}

}  // namespace

const std::array<int, kRs232Pictures> kRs232PictureHeights = {113, 81, 70, 68, 99,
                                                              99,  99, 80, 98, 93};

const TRs232Document& Rs232EnglishDocument() {
    static const TRs232Document document = MakeEnglish();
    return document;
}

const TRs232Document& Rs232ChineseDocument() {
    static const TRs232Document document = MakeChinese();
    return document;
}

TRs232Font Rs232FontOf(const TRs232Document& document, TRs232Style style) {
    switch (style) {
        case TRs232Style::Title: return {document.textFace, 28, true};
        case TRs232Style::Heading: return {document.textFace, 18, true};
        case TRs232Style::Code: return {"Courier New", 18, true};
        case TRs232Style::Body: break;
    }
    return {document.textFace, 18, false};
}

int Rs232SectionTop(const TRs232Document& document, int section) {
    if (section == 0) return kRs232TextTop + kFirstSectionGap;
    const auto above = static_cast<std::size_t>(section - 1);
    return document.pictureTops[above] + kRs232PictureHeights[above] + kSectionGap;
}

std::string Rs232RichText(const TRs232Document& document,
                          const std::function<int(const TRs232Font&)>& lineHeight) {
    // Font 0 the text's face, font 1 the frames'; colour 1 the text, colour 2 the headings.
    std::string rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset134 " +
                      document.textFace +
                      ";}{\\f1\\fmodern Courier New;}}{\\colortbl ;\\red32\\green36\\blue44;"
                      "\\red28\\green64\\blue136;\\red120\\green40\\blue24;}\n";
    // The layout's running height below the text's top, in pixels; the label's margin is one.
    int y = 1;
    for (int s = 0; s < kRs232Pictures; ++s) {
        const int target = Rs232SectionTop(document, s) - kRs232TextTop;
        bool first = true;
        for (const TRs232Line& line : document.sections[static_cast<std::size_t>(s)]) {
            const TRs232Font font = Rs232FontOf(document, line.style);
            const int before = first && target > y ? target - y : 0;
            y += before + lineHeight(font);
            first = false;
            const bool code = line.style == TRs232Style::Code;
            const int colour =
                line.style == TRs232Style::Title || line.style == TRs232Style::Heading ? 2
                : code                                                                 ? 3
                                                                                       : 1;
            rtf += "\\pard\\sb" + std::to_string(before * kTwipsPerPixel) + "\\sa0\\f" +
                   (code ? "1" : "0") + "\\fs" + std::to_string(font.halfPoints) +
                   (font.bold ? "\\b" : "\\b0") + "\\cf" + std::to_string(colour) + " ";
            AppendEscaped(rtf, line.text);
            rtf += "\\par\n";
        }
    }
    rtf += "}";
    return rtf;
}

}  // namespace dsp
