#include "period/tidyup.h"

#include "period/routine.h"

namespace period {

void DataTidyUp::run(Database& db) {
    runAsOne(db,
             {"delete from asprkd where djhm not in (select djhm from asprkdd)",
              "delete from aspckd where djhm not in (select djhm from aspckdd)",
              "delete from aspmxzm where spbm not in (select spbm from aspkm)",
              "delete from axslsz where spbm not in (select spbm from aspkm)",
              "delete from abmmxz where dwbh not in (select bm from abmk)",
              "delete from abmlsz where dwbh not in (select bm from abmk)",
              "delete from agymxz where dwbh not in (select bm from agys)"},
             {}, kNotCompleted);
}

}  // namespace period
