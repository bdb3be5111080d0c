(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var until = new Date(el.getAttribute("data-until"));
  function show() {
    var left = Math.max(0, until.getTime() - Date.now());
    var minutes = Math.floor(left / 60000);
    var days = Math.floor(minutes / 1440);
    var hours = Math.floor((minutes % 1440) / 60);
    el.textContent = isNaN(left) ? "" : days + " days, " + hours + " hours, " + (minutes % 60) + " minutes";
  }
  show();
  setInterval(show, 30000);
})();
