#include "mainwindow/LanguageTexts.h"

#include <cstddef>

namespace dsp {

namespace {

// One row per key: the key, its English text and its Simplified Chinese text; a row without
// texts is a comment line of both tables. The order is the tables' order.
struct TTextRow {
    const char* key;
    const char* english;
    const char* chinese;
};

// clang-format off
constexpr TTextRow kTextRows[] = {
    {"// File menu", nullptr, nullptr},
    {"SID_FILE", "File", "文件"},
    {"SID_OPEN", "Open", "打开PC的预设文件"},
    {"SID_SAVE", "Save", "保存预设文件到PC"},
    {"SID_UPLOAD", "Upload", "整机数据上传到PC"},
    {"SID_DOWNLOAD", "Download", "由PC下传整机数据"},
    {"SID_RETRUN_FACTORY", "Factory Default", "机器恢复出厂设置"},
    {"SID_EXIT", "Exit", "取消"},
    {"SID_SET", "Set", "设定"},
    {"// Block diagram menu", nullptr, nullptr},
    {"SID_BLOCK", "Diagram", "信号流程"},
    {"// Connect menu", nullptr, nullptr},
    {"SID_DISCONNECT", "Disconnect", "断开机器"},
    {"SID_CONNECT", "Connect", "连接机器"},
    {"SID_CONNECT_HELP", "Connect Help", "连机步骤说明"},
    {"// Lock menu", nullptr, nullptr},
    {"SID_LOCK", "Lock", "机器锁"},
    {"SID_LOCK_SETUP", "Lock", "密码设定"},
    {"// ID setting", nullptr, nullptr},
    {"SID_INPUT_ID", " Input ID Number", " 输入 ID"},
    {"SID_SET_ID", "Setting ID", "设定 ID"},
    {"SID_ID_NUMBER_ERROR", "ID Setting Error", "ID设定超出范围"},
    {"// Network setup", nullptr, nullptr},
    {"SID_SET_NETWORK", "Setting ID/IP", "ID与网口设定"},
    {"SID_MANU_NETWORK", "Manual Setting", "手动设定"},
    {"SID_AUTO_NETWORK", "Auto Setting", "自动设定"},
    {"SID_IP_ADDRESS", " Input IP Address", " 输入 IP 位址"},
    {"SID_NUMBER", "Number :", "ID 位址:"},
    {"// Channel-name list", nullptr, nullptr},
    {"SID_CH_NAME_LIST", "Channel Name", "通道名称"},
    {"// Test tone", nullptr, nullptr},
    {"SID_TEST_TONE", "Test Tone", "测试音"},
    {"SID_TEST_TITLE", "Input Signal Select", "输入讯号选择"},
    {"SID_ANALOG_IN", "Analog Input", "类比输入"},
    {"SID_PINK_IN", "Pink Noise", "粉红噪音"},
    {"SID_WHITE_IN", "White Noise", "白噪音"},
    {"SID_SINE_IN", "Sine Wave", "弦波"},
    {"// Link", nullptr, nullptr},
    {"SID_LINK", "Link", "链结"},
    {"SID_LINK_TITLE", "Link Selection", "链结选择"},
    {"// Copy", nullptr, nullptr},
    {"SID_COPY", "Copy", "复制"},
    {"SID_COPY_TITLE", "Channel Copy", "参数复制"},
    {"// Language", nullptr, nullptr},
    {"SID_LANGUAGE", "语言", "Language"},
    {"SID_CHINESE_SIMPLIFIED", "中文", "中文"},
    {"SID_CHINESE_TRODITIONAL", "Troditional Chinese", "Troditional Chinese"},
    {"SID_ENGLISH", "English", "English"},
    {"// Help", nullptr, nullptr},
    {"SID_HELP", "Help", "帮助"},
    {"SID_RS232_CODE", "RS232 Code Table", "232通讯协议代码表"},
    {"// About", nullptr, nullptr},
    {"SID_ABOUT", "About", "关于"},
    {"// Function buttons", nullptr, nullptr},
    {"SID_ONLINE", "OnLine", "已连机"},
    {"SID_OFFLINE", "OffLine", "未连机"},
    {"// Preset box", nullptr, nullptr},
    {"SID_ADDRESS", "Address", "位址"},
    {"SID_PRESET", "Preset", "预设"},
    {"SID_PST_NAME", "Name", "预设名称"},
    {"SID_PST_NUM", "Number", "预设代码"},
    // A second SID_NUMBER: the lookup never reaches it.
    {"SID_NUMBER", "  Number", "  编号"},
    {"SID_BT_STORE", "Store", "保存到机器"},
    {"SID_BT_RECALL", "Recall", "从机器调出"},
    {"// Channel button", nullptr, nullptr},
    {"SID_CH_NAME", "Channel Name", "通道名称"},
    {"// Channel strip", nullptr, nullptr},
    {"SID_PARAM_KEY", "Frequency  ( ← / → )      Q(＋/－)     Gain (  ↑ / ↓  )", "频率 ( ← / → )     频宽(＋/－)     增益 (  ↑ / ↓  )"},
    {"SID_GAIN", "Gain", "音量"},
    {"SID_PHASE_ON", "Inverse", "反相"},
    {"SID_PHASE_OFF", "Normal", "正相"},
    {"SID_EQ_PARAM", "PEQ Parameter", "均衡参数调整"},
    {"SID_EQ_FREQ", "Freq", "频率"},
    {"SID_EQ_BW", "Q", "Q值"},
    {"SID_EQ_GAIN", "Gain", "增益"},
    {"SID_EQ_PARAM_TITLE", " PEQ       Frequency              Q                    Gain                 Type                Bypass", " 均衡        頻率                  Q值                 增益                 類型                 旁路"},
    {"SID_HPF", "HighPass", "低切"},
    {"SID_HLP_SLOP", "Slope", "斜率"},
    {"SID_HLP_BYPASS", "Bypass", "旁路"},
    {"SID_LPF", "LowPass", "高切"},
    {"SID_SHOW_ALL_EQ", "SHOW ALL EQ", "显示所有EQ参数"},
    {"SID_MUTE", "Mute", "静音"},
    {"// Response view", nullptr, nullptr},
    {"SID_RESET_EQ", "EQ Reset", "EQ 重置"},
    {"SID_BYPASS_EQ", "EQ Bypass", "EQ 旁路"},
    {"SID_IN", "Input", "输入"},
    {"SID_OUT", "Output", "输出"},
    {"// Delay page", nullptr, nullptr},
    {"SID_DELAY_UNIT", "Unit", "单位"},
    {"SID_UNIT_MS", "ms", "毫秒"},
    {"SID_UNIT_M", "m", "米"},
    {"SID_UNIT_FT", "ft", "英寸"},
    {"SID_IN_DELAY", "Input Delay", "输入延迟"},
    {"SID_OUT_DELAY", "Output Delay", "输出延迟"},
    {"// Gate and compressor", nullptr, nullptr},
    {"SID_GATE", "Gate", "噪声门"},
    {"SID_GATE_HOLD", "Hold", "保持"},
    {"SID_COMP", "Compressor", "压缩器"},
    {"SID_COMP_THRESHOLD", "Threshold", "阀值"},
    {"SID_COMP_ATTACK", "Attack", "启动"},
    {"SID_COMP_RELEASE", "Release", "恢复"},
    {"SID_COMP_RATIO", "Ratio", "比例"},
    {"SID_COMP_KNEE", "Knee", "拐点"},
    {"// EQ types", nullptr, nullptr},
    {"SID_EQ_TYPE0", "Peak", "参量均衡"},
    {"SID_EQ_TYPE1", "Low Shelf", "低架滤波"},
    {"SID_EQ_TYPE2", "High Shelf", "高架滤波"},
    {"SID_EQ_TYPE3", "Low Pass", "高切滤波"},
    {"SID_EQ_TYPE4", "High Pass", "低切滤波"},
    {"SID_EQ_TYPE5", "Allpass1", "移相1阶"},
    {"SID_EQ_TYPE6", "Allpass2", "移相2阶"},
    {"// EQ bypass", nullptr, nullptr},
    {"SID_EQ_BYPASS", "Bypass", "旁路"},
    {"// Progress dialog", nullptr, nullptr},
    {"SID_PROCESS", "Process", "处理"},
    {"SID_UPLOAD_PRESET", "Upload preset now , please wait...", "上传预设中 , 请稍候..."},
    {"SID_DOWNLOAD_PRESET", "Download preset now , please wait...", "下载预设中 , 请稍候..."},
    {"SID_STORE_PRESET", "Store preset now , please wait...", "存储预设中 , 请稍候..."},
    {"SID_LOAD_PRESET", "Load preset now , please wait...", "调用预设中 , 请稍候..."},
    {"SID_UPLOAD_PARAMETER", "Upload parameters now , please wait...", "上传参数中 , 请稍候..."},
    {"// Scan dialog", nullptr, nullptr},
    {"SID_START_SCAN", "Scaning", "重新搜索"},
    {"SID_DEMO", "Demo", "演示模式"},
    {"SID_SCAN_NET", "Scan Ethernet", "搜索网口"},
    {"SID_SCAN_USB", "Scan USB", "搜索USB"},
    {"SID_SCAN", "Scaning", "搜索"},
    {"SID_NO_DEVICE", "No Device found.", "未发现USB硬件，确认进入演示模式。"},
    {"SID_LINK_BROKEN", "Link Broken", "软件已断开连机"},
    {"// Exit dialog", nullptr, nullptr},
    {"SID_EXIT_QUIT", "Are you sure to quit ?", "您确定要退出吗 ?"},
    {"SID_EXIT_OK", "OK", "确定"},
    {"SID_EXIT_CANCEL", "Cancel", "取消"},
    {"// EQ reset dialog", nullptr, nullptr},
    {"SID_PEQRST", "Information", "提示"},
    {"SID_PEQRST_RESET", "Are you sure to RESET EQ ?", "您确定要重置均衡吗 ?"},
    {"SID_PEQRST_OK", "OK", "确定"},
    {"SID_PEQRST_CANCEL", "Cancel", "取消"},
    {"// Preset dialogs", nullptr, nullptr},
    {"SID_RECALL_PRESET", "Recall Preset", "调用预设"},
    {"SID_SAVE_PRESET", "Store Preset", "保存预设"},
    {"SID_CANCEL", "Cancel", "取消"},
    {"// Lock setup dialog", nullptr, nullptr},
    {"SID_LOCK_TITLE", "Lock Setting", "操作锁设定"},
    {"SID_LOCK_PASSWORD", "Lock Password", "密码设定"},
    {"// Unlock dialog", nullptr, nullptr},
    {"SID_UNLOCK_TITLE", "UnLock Setting", "操作锁设定"},
    {"SID_UNLOCK_PASSWORD", "UnLock Password", "解锁密码"},
    {"// Information", nullptr, nullptr},
    {"SID_INFO_TITLE", "Information", "讯息"},
    // A second SID_EXIT: the lookup never reaches it.
    {"SID_EXIT", "Information", "讯息"},
    {"SID_INFO_CON_FIRST", "You Must Connect First !!", "请先连接机台 !!"},
    {"SID_INFO_NO_SAVE_EXIST", "No Saving Preset Exist !!", "无预设可上传 !!"},
    {"SID_INFO_ERROR_FILE", "Open File Error !!", "开启档案错误 !!"},
    {"SID_INFO_ERROR_UNIT", "Unit's Type Error !!", "机台型号不符 !!"},
    {"SID_INFO_ERROR_VERSION", "Unit's Version Error !!", "硬件版本不符 !!"},
    {"SID_INFO_ERROR_DOWNLAOD", "Download File Error !!", "下载档案不符 !!"},
    {"SID_FACTORY_DEFAULT", "Are you Sure to Return Factory Default?", "确定要恢复机器出厂设置?"},
    {"SID_LOCK_SET_FAILED", "Lock Setting Failed !!", "锁定设置失败 !!"},
};
// clang-format on

constexpr char kFirstLine[] = "//---------------------- Menu ------------------------";

std::vector<std::string> BuildTable(bool chinese) {
    std::vector<std::string> lines{kFirstLine};
    for (const TTextRow& row : kTextRows) {
        lines.emplace_back(row.key);
        if (row.english == nullptr) continue;
        lines.emplace_back(chinese ? row.chinese : row.english);
    }
    return lines;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameLine(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

}  // namespace

const std::vector<std::string>& EnglishTextLines() {
    static const std::vector<std::string> lines = BuildTable(false);
    return lines;
}

const std::vector<std::string>& SimplifiedTextLines() {
    static const std::vector<std::string> lines = BuildTable(true);
    return lines;
}

const std::vector<std::string>& TextLinesOf(const std::string& language) {
    return language == kLanguageChineseGB ? SimplifiedTextLines() : EnglishTextLines();
}

std::string LookUpText(const std::vector<std::string>& lines, const std::string& key) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (SameLine(lines[i], key)) return i + 1 < lines.size() ? lines[i + 1] : std::string();
    }
    return lines.empty() ? std::string() : lines.front();
}

}  // namespace dsp
