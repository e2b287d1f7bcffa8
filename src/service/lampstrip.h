#pragma once

class QWidget;

// The mirror lamps at the top right of the main window: Img_Server1..Img_Server6, the
// unswitched Img_Server0, and the two hidden pictures they copy from, Img_ServerOn and
// Img_ServerOff. All lamps start unlit.
namespace LampStrip {

void build(QWidget *pnlTv);
// Gives lamp n (looked up by its name under `root`) the lit or unlit picture. A lamp or
// picture that cannot be found is ignored.
void setLamp(QWidget *root, int n, bool lit);

} // namespace LampStrip
