#include "bank/bank_loader.h"

namespace qd {

void init_product(ProductPaths& paths, QuestionTable& table, BankState& state) {
    paths.data_file_name = "pv_navra.dat";
    std::string folder_name = paths.data_file_name;
    folder_name.replace(folder_name.rfind(".dat"), 4, "/");
    paths.data_folder = paths.program_folder + folder_name;
    paths.book_pdf_path = paths.program_folder + "ZI_ZE.pdf";
    paths.book_pdf_name = "ZI_ZE.pdf";
    load_questions(banks::pv_flash_intro, table, state);
}

}  // namespace qd
