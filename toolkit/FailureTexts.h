// Numbers of the failure texts the program's libraries report, in the running
// program's string table beside the pages' messages. Each is read with
// FormatResString, its "%s" filled in order.
#pragma once

enum TFailureText : int {
  kTextPictureUnreadable = 600,          // the file's path
  kTextPictureResourceUnreadable = 601,  // the resource's name
  kTextPictureTooLarge = 602,            // "width x height"
  kTextPictureNotCopied = 603,
  kTextFontNotCreated = 604,             // the face name
  kTextControlNotSubclassed = 605,       // the control's name
  kTextXmlServiceMissing = 606,
  kTextFileNotFound = 607,               // the file's path
  kTextXmlFileNotWellFormed = 608,       // the file's path
  kTextXmlTextNotWellFormed = 609,
  kTextXmlNoRoot = 610,
  kTextXmlWrongRoot = 611,               // the expected name, the one found
  kTextXmlLine = 612,                    // the line number
  kTextXmlNearLine = 613,                // the line number
  kTextXmlColumn = 614,                  // the column number
  kTextNotSingleText = 615,
  kTextNotStringArray = 616,
  kTextNotOneDimension = 617,
  kTextAgentNotRegistered = 618,         // the agent's file, the system's reason, the file again
  kTextAgentNotStarted = 619,            // the agent's file, the system's reason
  kTextAgentUnreachable = 620,           // the agent's file
  kTextErrorNumber = 621,                // the status in hexadecimal
  kTextNotAValue = 622,                  // the text, the kind of value
  kTextFieldUnreadable = 623,            // the field's name, the reason
  kTextAddressPart = 624,                // the address field's name, the part's number
};
