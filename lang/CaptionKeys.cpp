// The key lists of every window's captions.
#include "lang/CaptionKeys.h"

const std::vector<TCaptionKey>& MainWindowCaptionKeys() {
    static const std::vector<TCaptionKey> keys = {
        {"GUI", "TITLE"},
        {"POPUPMENU", "RESTORE"},
        {"POPUPMENU", "MINIMALIZE"},
        {"POPUPMENU", "CLOSE"},
        {"POPUPMENU", "NO_PROFILES"},
        {"NAVPANEL1", "TITLE"},
        {"NAVPANEL1", "TITLE_HINT"},
        {"NAVPANEL1", "DIVIDER1"},
        {"TREEVIEW1", "ITEMA"},
        {"TREEVIEW1", "ITEMA0"},
        {"TREEVIEW1", "ITEMB"},
        {"TREEVIEW1", "ITEMB0"},
        {"TREEVIEW1", "ITEMB1"},
        {"TREEVIEW1", "ITEMB2"},
        {"TREEVIEW1", "ITEMB3"},
        {"TREEVIEW1", "ITEMB4"},
        {"NAVPANELS", "DIVIDER1"},
        {"NAVPANELS", "DIVIDER2"},
        {"TREEVIEW2", "ITEM0"},
        {"TREEVIEW2", "ITEM1"},
        {"TREEVIEW2", "ITEM2"},
        {"TREEVIEW2", "ITEM3"},
        {"TREEVIEW2", "ITEM4"},
        {"TREEVIEW2", "ITEM5"},
    };
    return keys;
}

const std::vector<TCaptionKey>& DefaultSlotCaptionKeys() {
    static const std::vector<TCaptionKey> keys = {
        {"DEFAULT_LANS", "NAME"}, {"DEFAULT_LANS", "CAPTION"}, {"DEFAULT_LANS", "INTERFACE"}};
    return keys;
}

const std::vector<TCaptionKey>& ApplyCaptionKeys() {
    static const std::vector<TCaptionKey> keys = {{"APPLY", "APPLY_CAPTION"},  {"APPLY", "APPLY_INFO"},
                                                  {"APPLY", "SCRIPT_INFO"},    {"APPLY", "RESULT_APPLIED"},
                                                  {"APPLY", "RESULT_FAILED"},  {"APPLY", "RESULT_REFUSED"},
                                                  {"APPLY", "NETSH_REPORTED"}, {"APPLY", "NETSH_MORE"}};
    return keys;
}

namespace {

std::vector<TCaptionKey> InSection(const char* section, std::initializer_list<const char*> keys) {
    std::vector<TCaptionKey> list;
    for (const char* key : keys)
        list.push_back({section, key});
    return list;
}

} // namespace

const std::vector<TCaptionKey>& ConnectionCaptionKeys() {
    static const std::vector<TCaptionKey> keys =
        InSection("CONNECTIONS", {"LIST_ITEM", "LIST_ITEM_SHORT", "LIST_ITEM_UNUSABLE", "CONNECTED", "DISCONNECTED",
                                  "DISABLED", "NOT_PRESENT", "NOT_CONNECTED", "UNREADABLE", "FIREWALL_UNREADABLE",
                                  "NAME_UNUSABLE", "PAGE_NOT_PRESENT"});
    return keys;
}

const std::vector<TCaptionKey>& VerificationCaptionKeys() {
    static const std::vector<TCaptionKey> keys = InSection("VERIFY", {"RESULT_IN_EFFECT",
                                                                      "RESULT_IN_EFFECT_ONE",
                                                                      "RESULT_NOT_IN_EFFECT",
                                                                      "RESULT_NOT_CHECKED",
                                                                      "LINE_IN_EFFECT",
                                                                      "LINE_NOT_IN_EFFECT",
                                                                      "LINE_WAITING",
                                                                      "LINE_UNREADABLE",
                                                                      "SETTING_IP_ADDRESSES",
                                                                      "SETTING_GATEWAYS",
                                                                      "SETTING_DNS_SERVERS",
                                                                      "SETTING_DNS_REGISTRATION",
                                                                      "SETTING_WINS_SERVERS",
                                                                      "SETTING_FIREWALL",
                                                                      "SETTING_FIREWALL_EXCEPTIONS",
                                                                      "SETTING_FIREWALL_NOTIFICATIONS",
                                                                      "REASON_NO_LEASE",
                                                                      "REASON_DHCP_FAILED",
                                                                      "REASON_DISCONNECTED",
                                                                      "REASON_DISABLED",
                                                                      "REASON_NOT_REPORTED",
                                                                      "REASON_FIREWALL",
                                                                      "VALUE_NONE",
                                                                      "VALUE_AND",
                                                                      "VALUE_DHCP",
                                                                      "VALUE_DHCP_GAVE",
                                                                      "VALUE_ON",
                                                                      "VALUE_OFF",
                                                                      "VALUE_ALLOWED",
                                                                      "VALUE_NOT_ALLOWED",
                                                                      "VALUE_REGISTER_NONE",
                                                                      "VALUE_REGISTER_PRIMARY",
                                                                      "VALUE_REGISTER_BOTH"});
    return keys;
}

const std::vector<TCaptionKey>& KeepCaptionKeys() {
    static const std::vector<TCaptionKey> keys = [] {
        std::vector<TCaptionKey> list =
            InSection("KEEP", {"NOT_CAPTURED", "NOT_CAPTURED_WHY", "RESULT_KEPT", "RESULT_REVERTED",
                               "RESULT_REVERT_FAILED", "IN_EFFECT", "IN_EFFECT_ONE", "NOT_IN_EFFECT", "NOT_CHECKED"});
        for (const TCaptionKey& key : InSection("KEEPFORM", {"WINDOWTITLE", "MAINTITLE", "HELPTITLE", "HELPTITLE_ONE",
                                                             "CHECKING", "BUTTON_KEEP", "BUTTON_REVERT"}))
            list.push_back(key);
        return list;
    }();
    return keys;
}

const std::vector<TCaptionKey>& MessageCaptionKeys() {
    static const std::vector<TCaptionKey> keys = {{"GUI", "UNEXPECTED_ERROR"},
                                                  {"GUI", "HELP_NOT_OPENED"},
                                                  {"GUI", "FILE_CHANGED"},
                                                  {"NAVPANELS", "DELETE_QUESTION"}};
    return keys;
}

const std::vector<std::string>& ProfileFormCaptionKeys() {
    static const std::vector<std::string> keys = {
        "WINDOWTITLE",    "MAINTITLE",      "HELPTITLE",      "TABSHEET1",      "TABSHEET2",      "TABSHEET3",
        "TABSHEET4",      "TABSHEET5",      "TABSHEET6",      "TABSHEET7",      "LABEL1_1",       "LABEL2_1",
        "LABEL3_1",       "LABEL4_1",       "LABEL5_1",       "LABEL1_2",       "LABEL1_3",       "LABEL2_3",
        "LABEL3_3",       "RADIOBUTTON1_2", "RADIOBUTTON2_2", "RADIOBUTTON1_4", "RADIOBUTTON2_4", "RADIOBUTTON1_5",
        "RADIOBUTTON2_5", "RADIOBUTTON1_6", "RADIOBUTTON2_6", "CHECKBOX1_1",    "CHECKBOX1_2",    "CHECKBOX1_3",
        "CHECKBOX1_4",    "CHECKBOX1_5",    "CHECKBOX2_5",    "CHECKBOX3_5",    "CHECKBOX1_6",    "CHECKBOX1_7",
        "CHECKBOX2_7",    "CHECKBOX3_7",    "CHECKBOX4_7",    "GROUPBOX1_3",    "GROUPBOX2_3",    "GROUPBOX1_4",
        "GROUPBOX2_4",    "GROUPBOX1_5",    "GROUPBOX1_6",    "LISTVIEW1_3_1",  "LISTVIEW1_3_2",  "LISTVIEW1_4_1",
        "LISTVIEW1_4_2",  "IPPROFILE",      "BUTTON1_1",      "BUTTON1_3",      "BUTTON2_3",      "BUTTON3_3",
        "BUTTON4_3",      "BUTTON5_3",      "BUTTON6_3",      "BUTTON1_4",      "BUTTON2_4",      "BUTTON3_4",
        "BUTTON6_4",      "BUTTON7_4",      "BUTTON8_4",      "BUTTON3_5",      "BUTTON4_5",      "BUTTON5_5",
        "BUTTON3_6",      "BUTTON4_6",      "BUTTON5_6",      "BUTTON_OK",      "BUTTON_STORNO",  "BUTTON_HELP",
        "BUTTON_SELECT",  "ICON",           "MOVE_UP",        "MOVE_DOWN",
    };
    return keys;
}

const std::vector<std::string>& ScriptMessageFormCaptionKeys() {
    static const std::vector<std::string> keys = {"WINDOWTITLE", "MAINTITLE", "HELPTITLE",
                                                  "LABEL1",      "LABEL2",    "LABEL3"};
    return keys;
}

const std::vector<std::string>& InterfaceFormCaptionKeys() {
    static const std::vector<std::string> keys = {"WINDOWTITLE",   "MAINTITLE",   "HELPTITLE",     "LABEL1",
                                                  "LABEL2",        "LABEL3",      "LABEL4",        "BUTTON_OK",
                                                  "BUTTON_STORNO", "BUTTON_HELP", "BUTTON_SELECT", "ICON"};
    return keys;
}

const std::vector<std::string>& AboutFormCaptionKeys() {
    static const std::vector<std::string> keys = {"WINDOWTITLE", "MAINTITLE", "HELPTITLE"};
    return keys;
}

const std::vector<std::string>& ValueDialogButtonKeys() {
    static const std::vector<std::string> keys = {"BUTTON_OK", "BUTTON_STORNO", "BUTTON_HELP"};
    return keys;
}

std::vector<std::string> IPaddressFormCaptionKeys(int dialogMode) {
    if (dialogMode < 2 || dialogMode > 5)
        return {};
    const std::string suffix(1, static_cast<char>('A' + dialogMode - 2));
    std::vector<std::string> keys = {"WINDOWTITLE_" + suffix, "MAINTITLE_" + suffix, "HELPTITLE_" + suffix,
                                     "LABEL1_" + suffix};
    if (dialogMode == 2)
        keys.push_back("LABEL2_A");
    keys.push_back("LABEL3_" + suffix);
    return keys;
}

std::vector<TCaptionKey> AllCaptionKeys() {
    std::vector<TCaptionKey> all = MainWindowCaptionKeys();
    for (const auto* list : {&DefaultSlotCaptionKeys(), &ApplyCaptionKeys(), &MessageCaptionKeys(),
                             &ConnectionCaptionKeys(), &VerificationCaptionKeys(), &KeepCaptionKeys()})
        all.insert(all.end(), list->begin(), list->end());
    auto addSection = [&all](const char* section, const std::vector<std::string>& keys) {
        for (const std::string& key : keys)
            all.push_back({section, key});
    };
    addSection("PROFILEFORM", ProfileFormCaptionKeys());
    addSection("SCRIPTMESSAGEFORM", ScriptMessageFormCaptionKeys());
    addSection("INTERFACEFORM", InterfaceFormCaptionKeys());
    addSection("ABOUTFORM", AboutFormCaptionKeys());
    for (int mode = 2; mode <= 5; ++mode)
        addSection("IPADDRESSFORM", IPaddressFormCaptionKeys(mode));
    addSection("SCRIPTMESSAGEFORM", ValueDialogButtonKeys());
    addSection("IPADDRESSFORM", {"BUTTON_OK", "BUTTON_STORNO"}); // no help button
    return all;
}
