#include "launcher/launch_errors.h"

std::string shellLaunchErrorText(unsigned code)
{
    switch (code) {
    case 0:
        return "メモリまたはリソースが不足しているため、起動できませんでした。";
    case 26:
        return "ファイルがほかのプログラムに使用されているため、開けませんでした。";
    case 27:
        return "このファイルの種類の関連付けが不完全です。";
    case 28:
        return "DDE の要求が時間内に完了しませんでした。";
    case 29:
        return "DDE の要求が失敗しました。";
    case 30:
        return "ほかの DDE の要求を処理中のため、要求を完了できませんでした。";
    case shellNoAssociation:
        return "このファイルを開くプログラムが関連付けられていません。";
    case 32:
        return "必要な DLL が見つかりませんでした。";
    default:
        return {};
    }
}
