#pragma once
// Control identifiers of the main window. The UI tests find controls by these.

namespace stavrel::ids {

enum : int {
  frmConverter = 100,
  frmCompression,
  Frame1,
  Frame2,
  Label1_0 = 110,  // Label1(0) .. Label1(7)
  txtFactor = 200,
  txtFile1,
  txtFile2,
  txtVarFound,
  txtDecompress,
  txtCompress,
  txtFName,
  pbProg = 220,
  Line1 = 230,
  cmdBrowse_0 = 300,  // cmdBrowse(0) .. cmdBrowse(3)
  cmdConvert = 310,
  cmdClear,
  cmdDecompress,
  cmdCompress,
  cmdAbout,
  cmdExit,
};

}  // namespace stavrel::ids
