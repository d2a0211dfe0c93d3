// Which language keys each window asks for, in the order its LoadStrings fetches them. The windows read their
// captions through these lists, and the tests check the shipped language file against them.
#pragma once

#include <string>
#include <vector>

struct TCaptionKey {
    std::string Section;
    std::string Key;
};

inline constexpr const char* LanguageName = "GUI";

// The main window's LoadStrings, with the captions of its five interface pages.
const std::vector<TCaptionKey>& MainWindowCaptionKeys();

// The defaults of a slot whose file lacks them.
const std::vector<TCaptionKey>& DefaultSlotCaptionKeys();

// The wait windows of applying a profile and the notification after it, with netsh's words (the texts of each
// failure are listed with the failures).
const std::vector<TCaptionKey>& ApplyCaptionKeys();

// The machine's connections as the dialogs and norvex-cli name them (CONNECTIONS), and the verification after an
// apply (VERIFY).
const std::vector<TCaptionKey>& ConnectionCaptionKeys();
const std::vector<TCaptionKey>& VerificationCaptionKeys();

// Keep or revert: the notices (KEEP) and the keep question (KEEPFORM).
const std::vector<TCaptionKey>& KeepCaptionKeys();

// The messages of the program itself: a handler that failed unexpectedly, a settings file changed by someone
// else and kept as they left it, the question before a delete.
const std::vector<TCaptionKey>& MessageCaptionKeys();

// Keys of one section, in fetch order.
const std::vector<std::string>& ProfileFormCaptionKeys();       // PROFILEFORM
const std::vector<std::string>& ScriptMessageFormCaptionKeys(); // SCRIPTMESSAGEFORM
const std::vector<std::string>& InterfaceFormCaptionKeys();     // INTERFACEFORM
const std::vector<std::string>& AboutFormCaptionKeys();         // ABOUTFORM

// The value dialogs' button captions (SCRIPTMESSAGEFORM, IPADDRESSFORM), asked for besides their keys above; a
// file without them leaves the fixed captions.
const std::vector<std::string>& ValueDialogButtonKeys(); // BUTTON_OK, BUTTON_STORNO, BUTTON_HELP

// The IP address dialog's keys for one mode: 2 (A) address and mask, 3 (B) gateway, 4 (C) DNS, 5 (D) WINS.
std::vector<std::string> IPaddressFormCaptionKeys(int dialogMode);

// Every section and key the program looks up.
std::vector<TCaptionKey> AllCaptionKeys();
