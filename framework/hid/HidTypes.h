#pragma once
// The records, codes and handles of the HID platform services: device identity, report-descriptor
// capabilities, parser statuses, device-interface enumeration records and error codes. Their
// layouts follow the classic HID client interface, so that the device library above reads them
// field by field as it always has.

#include <cstdint>

namespace dsp {

using USAGE = std::uint16_t;
using NTSTATUS = std::uint32_t;

// An open device, interface set or similar handle of the HID services; kInvalidHidHandle when none.
using THidHandle = std::intptr_t;
inline constexpr THidHandle kInvalidHidHandle = -1;

struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::uint8_t D4[8] = {};
    bool operator==(const TGUID&) const = default;
};

// The device-interface class of HID devices.
inline constexpr TGUID kHidInterfaceGuid{
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

struct HIDD_ATTRIBUTES {
    std::uint32_t Size = 0;
    std::uint16_t VendorID = 0;
    std::uint16_t ProductID = 0;
    std::uint16_t VersionNumber = 0;
};

struct HIDD_CONFIGURATION {
    void* cookie = nullptr;
    std::uint32_t size = 0;
    std::uint32_t RingBufferSize = 0;
};

enum HIDP_REPORT_TYPE : std::uint32_t { HidP_Input = 0, HidP_Output = 1, HidP_Feature = 2 };

// The parsed report descriptor of one device; opaque to its users.
struct THidPreparsedData;
using PHIDP_PREPARSED_DATA = THidPreparsedData*;

struct HIDP_CAPS {
    USAGE Usage;
    USAGE UsagePage;
    std::uint16_t InputReportByteLength;
    std::uint16_t OutputReportByteLength;
    std::uint16_t FeatureReportByteLength;
    std::uint16_t Reserved[17];
    std::uint16_t NumberLinkCollectionNodes;
    std::uint16_t NumberInputButtonCaps;
    std::uint16_t NumberInputValueCaps;
    std::uint16_t NumberInputDataIndices;
    std::uint16_t NumberOutputButtonCaps;
    std::uint16_t NumberOutputValueCaps;
    std::uint16_t NumberOutputDataIndices;
    std::uint16_t NumberFeatureButtonCaps;
    std::uint16_t NumberFeatureValueCaps;
    std::uint16_t NumberFeatureDataIndices;
};
static_assert(sizeof(HIDP_CAPS) == 64);

struct HIDP_RANGE {
    USAGE UsageMin, UsageMax;
    std::uint16_t StringMin, StringMax;
    std::uint16_t DesignatorMin, DesignatorMax;
    std::uint16_t DataIndexMin, DataIndexMax;
};

struct HIDP_NOT_RANGE {
    USAGE Usage, Reserved1;
    std::uint16_t StringIndex, Reserved2;
    std::uint16_t DesignatorIndex, Reserved3;
    std::uint16_t DataIndex, Reserved4;
};

struct HIDP_BUTTON_CAPS {
    USAGE UsagePage;
    std::uint8_t ReportID;
    std::uint8_t IsAlias;
    std::uint16_t BitField;
    std::uint16_t LinkCollection;
    USAGE LinkUsage;
    USAGE LinkUsagePage;
    std::uint8_t IsRange;
    std::uint8_t IsStringRange;
    std::uint8_t IsDesignatorRange;
    std::uint8_t IsAbsolute;
    std::uint16_t ReportCount;
    std::uint16_t Reserved2;
    std::uint32_t Reserved[9];
    union {
        HIDP_RANGE Range;
        HIDP_NOT_RANGE NotRange;
    };
};

struct HIDP_VALUE_CAPS {
    USAGE UsagePage;
    std::uint8_t ReportID;
    std::uint8_t IsAlias;
    std::uint16_t BitField;
    std::uint16_t LinkCollection;
    USAGE LinkUsage;
    USAGE LinkUsagePage;
    std::uint8_t IsRange;
    std::uint8_t IsStringRange;
    std::uint8_t IsDesignatorRange;
    std::uint8_t IsAbsolute;
    std::uint8_t HasNull;
    std::uint8_t Reserved;
    std::uint16_t BitSize;
    std::uint16_t ReportCount;
    std::uint16_t Reserved2[5];
    std::uint32_t UnitsExp;
    std::uint32_t Units;
    std::int32_t LogicalMin, LogicalMax;
    std::int32_t PhysicalMin, PhysicalMax;
    union {
        HIDP_RANGE Range;
        HIDP_NOT_RANGE NotRange;
    };
};

struct HIDP_LINK_COLLECTION_NODE {
    USAGE LinkUsage;
    USAGE LinkUsagePage;
    std::uint16_t Parent;
    std::uint16_t NumberOfChildren;
    std::uint16_t NextSibling;
    std::uint16_t FirstChild;
    std::uint32_t CollectionType : 8;
    std::uint32_t IsAlias : 1;
    std::uint32_t Reserved : 23;
    void* UserContext;
};

struct HIDP_DATA {
    std::uint16_t DataIndex;
    std::uint16_t Reserved;
    union {
        std::uint32_t RawValue;
        std::uint8_t On;
    };
};

struct USAGE_AND_PAGE {
    USAGE Usage;
    USAGE UsagePage;
};

struct HIDP_UNKNOWN_TOKEN {
    std::uint8_t Token;
    std::uint8_t Reserved[3];
    std::uint32_t BitField;
};

struct HIDP_EXTENDED_ATTRIBUTES {
    std::uint8_t NumGlobalUnknowns;
    std::uint8_t Reserved[3];
    HIDP_UNKNOWN_TOKEN* GlobalUnknowns;
    std::uint32_t Data[1];
};

// Keyboard keys going down (make) or up (break), for the translation to scan codes.
enum HIDP_KEYBOARD_DIRECTION : std::uint32_t { HidP_Keyboard_Break = 0, HidP_Keyboard_Make = 1 };

// The modifier keys held and the lock keys on, as the translation to scan codes keeps them.
struct HIDP_KEYBOARD_MODIFIER_STATE {
    std::uint32_t LeftControl : 1 = 0;
    std::uint32_t LeftShift : 1 = 0;
    std::uint32_t LeftAlt : 1 = 0;
    std::uint32_t LeftGUI : 1 = 0;
    std::uint32_t RightControl : 1 = 0;
    std::uint32_t RightShift : 1 = 0;
    std::uint32_t RightAlt : 1 = 0;
    std::uint32_t RightGUI : 1 = 0;
    std::uint32_t CapsLock : 1 = 0;
    std::uint32_t ScrollLock : 1 = 0;
    std::uint32_t NumLock : 1 = 0;
    std::uint32_t Reserved : 21 = 0;
};
static_assert(sizeof(HIDP_KEYBOARD_MODIFIER_STATE) == 4);

// Receives the scan codes of one key; what it returns is not looked at.
using PHIDP_INSERT_SCANCODES = bool (*)(void* context, std::uint8_t* newScanCodes,
                                        std::uint32_t length);

// Statuses of the report-descriptor parser.
inline constexpr NTSTATUS HIDP_STATUS_SUCCESS = 0x00110000;
inline constexpr NTSTATUS HIDP_STATUS_NULL = 0x80110001;
inline constexpr NTSTATUS HIDP_STATUS_INVALID_PREPARSED_DATA = 0xC0110001;
inline constexpr NTSTATUS HIDP_STATUS_INVALID_REPORT_TYPE = 0xC0110002;
inline constexpr NTSTATUS HIDP_STATUS_INVALID_REPORT_LENGTH = 0xC0110003;
inline constexpr NTSTATUS HIDP_STATUS_USAGE_NOT_FOUND = 0xC0110004;
inline constexpr NTSTATUS HIDP_STATUS_VALUE_OUT_OF_RANGE = 0xC0110005;
inline constexpr NTSTATUS HIDP_STATUS_BAD_LOG_PHY_VALUES = 0xC0110006;
inline constexpr NTSTATUS HIDP_STATUS_BUFFER_TOO_SMALL = 0xC0110007;
inline constexpr NTSTATUS HIDP_STATUS_INTERNAL_ERROR = 0xC0110008;
inline constexpr NTSTATUS HIDP_STATUS_I8042_TRANS_UNKNOWN = 0xC0110009;
inline constexpr NTSTATUS HIDP_STATUS_INCOMPATIBLE_REPORT_ID = 0xC011000A;
inline constexpr NTSTATUS HIDP_STATUS_NOT_VALUE_ARRAY = 0xC011000B;
inline constexpr NTSTATUS HIDP_STATUS_IS_VALUE_ARRAY = 0xC011000C;
inline constexpr NTSTATUS HIDP_STATUS_DATA_INDEX_NOT_FOUND = 0xC011000D;
inline constexpr NTSTATUS HIDP_STATUS_DATA_INDEX_OUT_OF_RANGE = 0xC011000E;
inline constexpr NTSTATUS HIDP_STATUS_BUTTON_NOT_PRESSED = 0xC011000F;
inline constexpr NTSTATUS HIDP_STATUS_REPORT_DOES_NOT_EXIST = 0xC0110010;
inline constexpr NTSTATUS HIDP_STATUS_NOT_IMPLEMENTED = 0xC0110020;

// Error codes the HID services leave as the calling thread's last error.
inline constexpr std::uint32_t ERROR_SUCCESS = 0;
inline constexpr std::uint32_t ERROR_INVALID_FUNCTION = 1;
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::uint32_t ERROR_INVALID_DATA = 13;
inline constexpr std::uint32_t ERROR_GEN_FAILURE = 31;
inline constexpr std::uint32_t ERROR_NOT_SUPPORTED = 50;
inline constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr std::uint32_t ERROR_PROC_NOT_FOUND = 127;
inline constexpr std::uint32_t ERROR_MOD_NOT_FOUND = 126;
inline constexpr std::uint32_t ERROR_NO_MORE_ITEMS = 259;
inline constexpr std::uint32_t ERROR_OPERATION_ABORTED = 995;
inline constexpr std::uint32_t ERROR_IO_INCOMPLETE = 996;
inline constexpr std::uint32_t ERROR_IO_PENDING = 997;
inline constexpr std::uint32_t ERROR_DEVICE_NOT_CONNECTED = 1167;

// Device-interface enumeration records.
using HDEVINFO = void*;
inline HDEVINFO InvalidDeviceInfoSet() { return reinterpret_cast<HDEVINFO>(kInvalidHidHandle); }

inline constexpr std::uint32_t DIGCF_PRESENT = 0x02;
inline constexpr std::uint32_t DIGCF_DEVICEINTERFACE = 0x10;

struct SP_DEVINFO_DATA {
    std::uint32_t cbSize = sizeof(SP_DEVINFO_DATA);
    TGUID ClassGuid;
    std::uint32_t DevInst = 0;
    std::uintptr_t Reserved = 0;
};

struct SP_DEVICE_INTERFACE_DATA {
    std::uint32_t cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);
    TGUID InterfaceClassGuid;
    std::uint32_t Flags = 0;
    std::uintptr_t Reserved = 0;
};

// A 32-bit size, then the zero-terminated 8-bit device path. The size field holds the size of the
// record's fixed part: the size field and the path's first character.
struct SP_DEVICE_INTERFACE_DETAIL_DATA_A {
    std::uint32_t cbSize;
    char DevicePath[1];
};
inline constexpr std::uint32_t kDeviceInterfaceDetailDataASize = 5;

// Registry value kinds and the device properties the enumeration offers.
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

enum TDeviceRegistryProperty : std::uint32_t {
    SPDRP_DEVICEDESC = 0x00,
    SPDRP_HARDWAREID = 0x01,
    SPDRP_COMPATIBLEIDS = 0x02,
    SPDRP_SERVICE = 0x04,
    SPDRP_CLASS = 0x07,
    SPDRP_CLASSGUID = 0x08,
    SPDRP_DRIVER = 0x09,
    SPDRP_CONFIGFLAGS = 0x0A,
    SPDRP_MFG = 0x0B,
    SPDRP_FRIENDLYNAME = 0x0C,
    SPDRP_LOCATION_INFORMATION = 0x0D,
    SPDRP_PHYSICAL_DEVICE_OBJECT_NAME = 0x0E,
    SPDRP_CAPABILITIES = 0x0F,
    SPDRP_UI_NUMBER = 0x10,
    SPDRP_UPPERFILTERS = 0x11,
    SPDRP_LOWERFILTERS = 0x12,
    SPDRP_BUSTYPEGUID = 0x13,
    SPDRP_LEGACYBUSTYPE = 0x14,
    SPDRP_BUSNUMBER = 0x15,
    SPDRP_ENUMERATOR_NAME = 0x16,
    SPDRP_SECURITY_SDS = 0x18,
    SPDRP_DEVTYPE = 0x19,
    SPDRP_EXCLUSIVE = 0x1A,
    SPDRP_CHARACTERISTICS = 0x1B,
    SPDRP_ADDRESS = 0x1C,
    SPDRP_UI_NUMBER_DESC_FORMAT = 0x1D,
};

}  // namespace dsp
