(function () {
  var el = document.getElementById("$(L0)");
  if (!el) return;
  var key = "pelion-visits:" + location.pathname;
  var count = 1;
  try {
    count = (parseInt(localStorage.getItem(key), 10) || 0) + 1;
    localStorage.setItem(key, String(count));
  } catch (e) {}
  el.textContent = "You have visited this page " + count + (count === 1 ? " time." : " times.");
})();
